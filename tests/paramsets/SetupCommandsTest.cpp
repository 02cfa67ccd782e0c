#include "app/SetupCommands.h"
#include "ConfigFixture.h"
#include "FakeFileDialog.h"
#include "FakeMessageService.h"
#include "QtTestSupport.h"
#include "RecordingListener.h"
#include "app/CommandIds.h"
#include "config/Configuration.h"
#include "config/RegisterValue.h"
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
        : m_fixture(MakeConfigXml(
              "<P Id=\"12\" Value=\"0\" Maximum=\"1000\" SendSerial=\"true\" SetOnLoad=\"true\"/>"
              "<P Id=\"13\" Value=\"0\" Maximum=\"1000\" SendSerial=\"true\" SetOnLoad=\"true\"/>"
              "<P Id=\"14\" Value=\"0\" SetOnLoad=\"true\" ReadOnSave=\"true\"/>")) {
        SetPortName(DEFAULT_PORT_NAME);
        m_window.setGeometry(100, 100, 400, 300);
        m_connect = new QAction("Connect -- COM8:", &m_window);
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
    QAction* m_connect = nullptr;
    QStringList m_titles;
    int m_forgotten = 0;
    std::unique_ptr<CSetupCommands> m_commands;
};

} // namespace

TEST_F(SetupCommandsTest, SetupConnectionWritesThePortNameEvenAfterCancel) {
    m_connect->setEnabled(false); // connected: Connect is grayed
    m_commands->SetDialogRunner([](QDialog&) { return int(QDialog::Rejected); });
    m_commands->OnCommand(ID_SETUP_CONNECTION);
    EXPECT_EQ(PortInf(), "COM8:");
    EXPECT_EQ(m_connect->text(), "Connect -- COM8:");
    EXPECT_FALSE(m_connect->isEnabled()) << "the connection state of the menu holds";
}

TEST_F(SetupCommandsTest, ActivatedPortReachesTheMenuThePortFileAndTheNextStart) {
    m_commands->SetDialogRunner([](QDialog& dialog) {
        auto* list = dialog.findChild<QTreeWidget*>("portList");
        list->topLevelItem(2)->setSelected(true);
        dialog.findChild<QPushButton*>("activateButton")->click();
        return int(QDialog::Rejected);
    });
    m_commands->SetupConnection();
    EXPECT_EQ(GetPortName(), "COM3:");
    EXPECT_EQ(m_connect->text(), "Connect -- COM3:");
    EXPECT_EQ(PortInf(), "COM3:");
    EXPECT_EQ(ReadPortNameFile(m_fixture.Dir().Path()), "COM3:");
}

TEST_F(SetupCommandsTest, AboutBoxIsCentredOverTheWindow) {
    m_window.show();
    bool ran = false;
    m_commands->SetDialogRunner([&](QDialog& dialog) {
        ran = true;
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Info über Tarnel"));
        EXPECT_EQ(dialog.findChild<QLabel*>("aboutVersion")->text(),
                  QStringLiteral("Tarnel Version " TARNEL_TEST_VERSION));
        EXPECT_FALSE(dialog.findChild<QLabel*>("aboutRights")->text().isEmpty());
        EXPECT_FALSE(dialog.findChild<QLabel*>("aboutIcon")->pixmap().isNull());
        auto* buttons = dialog.findChild<QDialogButtonBox*>("aboutButtons");
        EXPECT_NE(buttons->button(QDialogButtonBox::Ok), nullptr);
        const QPoint offset = dialog.geometry().center() - m_window.frameGeometry().center();
        EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();
        return int(QDialog::Accepted);
    });
    m_commands->OnCommand(ID_APP_ABOUT);
    EXPECT_TRUE(ran);
}

TEST_F(SetupCommandsTest, ParameterListHasAnEntryWithAShortcut) {
    // Its text and identifier are checked with the main window's menus.
    QAction* action = m_commands->CreateParameterListAction(&m_window);
    EXPECT_FALSE(action->shortcut().isEmpty());
    int opened = 0;
    m_commands->SetDialogRunner([&](QDialog& dialog) {
        EXPECT_NE(qobject_cast<CParameterDialog*>(&dialog), nullptr);
        EXPECT_EQ(dialog.parent(), nullptr) << "opened without an owner";
        ++opened;
        return int(QDialog::Accepted);
    });
    action->trigger();
    EXPECT_TRUE(m_commands->OnCommand(ID_PARAMETER_LIST));
    EXPECT_FALSE(m_commands->OnCommand(ID_CONNECT)) << "Connect is the window's own";
    EXPECT_EQ(opened, 2);
}

// Sending each value acknowledged is the commissioning tests' (the same load); here the window
// follows the load: the values in the file's order, the progress in its title.
TEST_F(SetupCommandsTest, LoadSetupAppliesInFileOrderWithProgressInTheTitle) {
    CRecordingListener recorder;
    m_fixture.Config().AddListener(&recorder);
    const std::string path = m_fixture.Dir().Write(
        "set.tnv", "<REGISTER><VALUE Register=\"12\" Value=\"500\"/><VALUE Register=\"14\" "
                   "Value=\"9\"/><VALUE Register=\"13\" Value=\"-3\"/><VALUE Register=\"12\" "
                   "Value=\"501\"/></REGISTER>\n");
    m_files.SetNextAnswer(path);
    m_commands->OnCommand(ID_LOAD_SETUP);
    m_fixture.Config().RemoveListener(&recorder);
    const CFakeMessageService::SMessage loaded{"<4> Parameter loaded from " + path + " ", "OK",
                                               EMessageIcon::Information};
    EXPECT_EQ(m_messages.Messages(), CFakeMessageService::MessageList{loaded});
    EXPECT_EQ(recorder.Take(SOURCE_PARAMETER_SET),
              (Writes{{12, 500}, {14, 9}, {13, -3}, {12, 501}}));
    EXPECT_EQ(m_titles,
              (QStringList{"loading p:<1>", "loading p:<2>", "loading p:<3>", "loading p:<4>"}));
    EXPECT_EQ(m_forgotten, 4);
}
