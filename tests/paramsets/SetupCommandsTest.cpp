#include "app/SetupCommands.h"
#include "ConfigFixture.h"
#include "FakeFileDialog.h"
#include "FakeMessageService.h"
#include "QtTestSupport.h"
#include "app/CommandIds.h"
#include "link/PortName.h"
#include "paramsets/CompareSetupDialog.h"
#include "paramsets/ParameterDialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTreeWidget>
#include <QWidget>

namespace {

// A main window stand-in: a plain widget with the Connect entry, and the title and the last
// shown link state the commands write.
class SetupCommandsTest : public ::testing::Test {
protected:
    SetupCommandsTest()
        : m_fixture(MakeConfigXml("<P Id='12' SetOnLoad='true'/><P Id='13' SetOnLoad='true'/>"
                                  "<P Id='14' SetOnLoad='true'/>")) {
        SetPortName(DEFAULT_PORT_NAME);
        m_window.setGeometry(100, 100, 400, 300);
        SSetupWindow window;
        window.m_window = &m_window;
        window.m_connectAction = m_connect;
        window.m_setTitle = [this](const QString& title) { m_titles.push_back(title); };
        window.m_forgetShownLinkState = [this] { ++m_forgotten; };
        m_commands = std::make_unique<CSetupCommands>(window);
        m_commands->SetFileDialog(&m_files);
    }
    ~SetupCommandsTest() override { SetPortName(DEFAULT_PORT_NAME); }

    std::string PortInf() const { return ReadAll(m_fixture.Dir().Path() + PORT_NAME_FILE); }

    SApplicationFirst m_application;
    CConfigFixture m_fixture;
    CFakeMessageService m_messages;
    CFakeFileDialog m_files;
    QWidget m_window;
    QAction* m_connect = new QAction("Connect -- COM8:", &m_window);
    QStringList m_titles;
    int m_forgotten = 0;
    std::unique_ptr<CSetupCommands> m_commands;
};

} // namespace

// Cancel at once, or Activate of the third port (COM3) first: either way the port name the
// dialog leaves reaches the menu and port.inf, and the menu keeps its connection state.
TEST_F(SetupCommandsTest, SetupConnectionWritesThePortNameEvenAfterCancel) {
    m_connect->setEnabled(false); // connected: Connect is grayed
    for (const int activated : {-1, 2}) {
        m_commands->SetDialogRunner([activated](QDialog& dialog) {
            if (activated >= 0) {
                auto* list = dialog.findChild<QTreeWidget*>("portList");
                list->topLevelItem(activated)->setSelected(true);
                dialog.findChild<QPushButton*>("activateButton")->click();
            }
            return int(QDialog::Rejected);
        });
        m_commands->OnCommand(ID_SETUP_CONNECTION);
        const std::string port = activated < 0 ? "COM8:" : "COM3:";
        EXPECT_EQ(PortInf(), port);
        EXPECT_EQ(m_connect->text().toStdString(), "Connect -- " + port);
        EXPECT_FALSE(m_connect->isEnabled());
    }
    EXPECT_EQ(GetPortName(), "COM3:");
}

// The About box is centred over the window; the parameter list opens without an owner, from its
// entry and its command (the entry's text and identifier are checked with the main window's
// menus).
TEST_F(SetupCommandsTest, AboutBoxAndParameterList) {
    m_window.show();
    int about = 0;
    int lists = 0;
    m_commands->SetDialogRunner([&](QDialog& dialog) {
        if (qobject_cast<CParameterDialog*>(&dialog) != nullptr) {
            lists += dialog.parent() == nullptr;
            return int(QDialog::Accepted);
        }
        ++about;
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Info über Tarnel"));
        EXPECT_EQ(dialog.findChild<QLabel*>("aboutVersion")->text(),
                  QStringLiteral("Tarnel Version " TARNEL_TEST_VERSION));
        EXPECT_FALSE(dialog.findChild<QLabel*>("aboutRights")->text().isEmpty());
        EXPECT_FALSE(dialog.findChild<QLabel*>("aboutIcon")->pixmap().isNull());
        EXPECT_NE(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), nullptr);
        const QPoint offset = dialog.geometry().center() - m_window.frameGeometry().center();
        EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();
        return int(QDialog::Accepted);
    });
    m_commands->OnCommand(ID_APP_ABOUT);
    QAction* action = m_commands->CreateParameterListAction(&m_window);
    EXPECT_FALSE(action->shortcut().isEmpty());
    action->trigger();
    EXPECT_TRUE(m_commands->OnCommand(ID_PARAMETER_LIST));
    EXPECT_FALSE(m_commands->OnCommand(ID_CONNECT)) << "Connect is the window's own";
    EXPECT_EQ(about, 1);
    EXPECT_EQ(lists, 2);
}

// The values applied and their order are the parameter-set tests' (the same load). A title per
// value applied; the link state is forgotten after every element, also one that is skipped.
TEST_F(SetupCommandsTest, LoadSetupShowsTheProgressInTheTitle) {
    const std::string path = m_fixture.Dir().Write(
        "set.tnv", "<REGISTER><V Register='12' Value='5'/><V Register='14' Value='9'/>"
                   "<V Register='77' Value='1'/><V Register='13' Value='-3'/></REGISTER>");
    m_files.SetNextAnswer(path);
    m_commands->OnCommand(ID_LOAD_SETUP);
    const CFakeMessageService::SMessage loaded{"<3> Parameter loaded from " + path + " ", "OK",
                                               EMessageIcon::Information};
    EXPECT_EQ(m_messages.Messages(), CFakeMessageService::MessageList{loaded});
    EXPECT_EQ(m_titles, (QStringList{"loading p:<1>", "loading p:<2>", "loading p:<3>"}));
    EXPECT_EQ(m_forgotten, 4);
}

// A file that cannot be read, has no REGISTER element or is far too large for a parameter set
// (read in well under a second, see the benchmark) shows the load message and no table. A
// readable one opens a dialog that fits a handheld's 240 x 320 window, its table scrolling.
TEST_F(SetupCommandsTest, CompareSetupShowsATableOnlyForAReadableFile) {
    const std::string path = m_fixture.Dir().Path() + "set.tnv";
    const std::string big = "<REGISTER>" + std::string(1024 * 1024, ' ') + "</REGISTER>";
    const std::string wrongContent =
        "Wrong File content: File " + path + " does not contain REGISTER Tag!";
    const std::pair<std::string, std::string> unusable[] = {
        {big, "Kann parameter nicht laden!"}, // a missing file reads as this too
        {"<A><REGISTER/></A>", wrongContent},
    };
    int dialogs = 0;
    QSize size;
    QSize hint;
    int scrollRange = 0;
    m_commands->SetDialogRunner([&](QDialog& dialog) {
        ++dialogs;
        dialog.show();
        size = dialog.size();
        hint = dialog.minimumSizeHint();
        scrollRange = dialog.findChild<QTableView*>("compareTable")->verticalScrollBar()->maximum();
        return int(QDialog::Rejected);
    });
    for (const auto& [content, message] : unusable) {
        m_fixture.Dir().Write("set.tnv", content);
        m_files.SetNextAnswer(path);
        m_commands->OnCommand(ID_COMPARE_SETUP);
        ASSERT_FALSE(m_messages.Messages().empty());
        EXPECT_EQ(m_messages.Messages().back().m_text, message);
    }
    EXPECT_EQ(dialogs, 0);

    std::string elements;
    for (int i = 0; i < 60; ++i) {
        elements += "<V Register='" + std::to_string(12 + i % 3) + "' Value='1'/>";
    }
    m_fixture.Dir().Write("set.tnv", "<REGISTER>" + elements + "</REGISTER>");
    m_window.resize(240, 320);
    m_files.SetNextAnswer(path);
    m_commands->OnCommand(ID_COMPARE_SETUP);
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(QRect(0, 0, 240, 320).contains(QRect(QPoint(), size)))
        << size.width() << "x" << size.height();
    EXPECT_TRUE(QRect(0, 0, 240, 320).contains(QRect(QPoint(), hint)));
    EXPECT_GT(scrollRange, 0);
}
