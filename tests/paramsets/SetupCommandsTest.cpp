#include "app/SetupCommands.h"
#include "ConfigFixture.h"
#include "FakeFileDialog.h"
#include "FakeMessageService.h"
#include "QtTestSupport.h"
#include "app/CommandIds.h"
#include "link/PortName.h"
#include "paramsets/ParameterDialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
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

// The values applied and their order are the parameter-set tests' (the same load).
TEST_F(SetupCommandsTest, LoadSetupShowsTheProgressInTheTitle) {
    const std::string path = m_fixture.Dir().Write(
        "set.tnv", "<REGISTER><V Register='12' Value='5'/><V Register='14' Value='9'/>"
                   "<V Register='13' Value='-3'/></REGISTER>");
    m_files.SetNextAnswer(path);
    m_commands->OnCommand(ID_LOAD_SETUP);
    const CFakeMessageService::SMessage loaded{"<3> Parameter loaded from " + path + " ", "OK",
                                               EMessageIcon::Information};
    EXPECT_EQ(m_messages.Messages(), CFakeMessageService::MessageList{loaded});
    EXPECT_EQ(m_titles, (QStringList{"loading p:<1>", "loading p:<2>", "loading p:<3>"}));
    EXPECT_EQ(m_forgotten, 3);
}
