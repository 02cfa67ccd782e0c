#include "app/MainFrame.h"
#include "ConfigFixture.h"
#include "FakeClock.h"
#include "FakeMessageService.h"
#include "QtTestSupport.h"
#include "app/CommandIds.h"
#include "app/CommandLine.h"
#include "app/LinkState.h"
#include "app/QtMessageService.h"
#include "app/Startup.h"
#include "config/Configuration.h"
#include "config/RegisterValue.h"
#include "link/PortName.h"
#include "panel/PanelView.h"
#include "trend/TrendWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

namespace {

const std::string PAGES =
    "<UI_OBJECT Name=\"Start\"><UI_OBJECT Type=\"Field\"><POSITION x=\"5\" y=\"5\" Width=\"60\" "
    "Height=\"20\"/><PARAMETER><EINGANG><F Berechnung=\"R5 * 2\"/></EINGANG></PARAMETER>"
    "</UI_OBJECT></UI_OBJECT>"
    "<UI_OBJECT Name=\"Motor\"/>"
    "<UI_OBJECT Name=\"Pumpe\"><UI_OBJECT Type=\"Label\"><POSITION x=\"250\" y=\"300\" "
    "Width=\"50\" Height=\"100\"/></UI_OBJECT></UI_OBJECT>";

// A main window on a small configuration, its timer stopped so that the test drives the ticks
// and its exit recorded instead of ending the test.
class MainFrameTest : public ::testing::Test {
protected:
    MainFrameTest()
        : m_fixture(MakeConfigXml("<P Id=\"5\" Value=\"3\"/><P Id=\"999\" Value=\"0\" "
                                  "Maximum=\"2\" SendSerial=\"true\"/>",
                                  PAGES)) {
        EnsureApplication();
        ApplyStartupSettings(m_fixture.Dir().Path(), std::nullopt);
        m_fixture.Config().SetClock(&m_clock);
        m_frame = std::make_unique<CMainFrame>();
        m_frame->GetTimer()->stop();
        m_frame->SetExitFunction([this](int status) { m_exits.push_back(status); });
        SSerialLinkTiming timing;
        timing.m_closePause = std::chrono::milliseconds(0);
        m_frame->SetLinkTiming(timing);
    }
    ~MainFrameTest() override {
        m_frame.reset();
        SetPortName(DEFAULT_PORT_NAME);
        SetLastShownLinkState(0);
    }

    QMenu* Menu(const char* name) const { return m_frame->findChild<QMenu*>(name); }
    QAction* Action(const char* name) const { return m_frame->findChild<QAction*>(name); }

    CFakeClock m_clock;
    CConfigFixture m_fixture;
    CFakeMessageService m_messages;
    std::unique_ptr<CMainFrame> m_frame;
    std::vector<int> m_exits;
};

} // namespace

TEST_F(MainFrameTest, MenusInOrderWithTheirIdentifiers) {
    // "Tarnel" until the link state first changes, also after ticks without a device.
    m_frame->OnTimerTick();
    EXPECT_EQ(m_frame->windowTitle().toStdString(), "Tarnel");
    const struct {
        const char* m_menu;
        std::vector<std::pair<QString, int>> m_entries; // text and identifier; 0: separator
    } menus[] = {
        {"menuFile",
         {{"Connect -- COM8:", ID_CONNECT},
          {"Unconnect", ID_UNCONNECT},
          {"Setup Connection ...", ID_SETUP_CONNECTION},
          {"", 0},
          {"Save Setup", ID_SAVE_SETUP},
          {"Load Setup", ID_LOAD_SETUP},
          {"Compare Setup ...", ID_COMPARE_SETUP},
          {"Parameter List ...", ID_PARAMETER_LIST},
          {"", 0},
          {"Traffic Log", ID_TRAFFIC_LOG},
          {"Open Log Folder", ID_OPEN_LOG_FOLDER},
          {"", 0},
          {"Exit", ID_APP_EXIT}}},
        {"menuPanel",
         {{"Home", 1000}, {"Motor", 1001}, {"Pumpe", 1002}, {"", 0}, {"Trend ...", ID_TREND}}},
        {"menuHelp", {{QString::fromUtf8("Inf&o über Tarnel..."), ID_APP_ABOUT}}},
    };
    QStringList titles;
    for (QAction* action : m_frame->menuBar()->actions()) {
        titles << action->text();
    }
    EXPECT_EQ(titles, QStringList({"&File", "&Panel", "&?"}));
    for (const auto& menu : menus) {
        ASSERT_NE(Menu(menu.m_menu), nullptr) << menu.m_menu;
        const QList<QAction*> actions = Menu(menu.m_menu)->actions();
        ASSERT_EQ(actions.size(), static_cast<qsizetype>(menu.m_entries.size())) << menu.m_menu;
        for (qsizetype i = 0; i < actions.size(); ++i) {
            const auto& [text, identifier] = menu.m_entries[static_cast<std::size_t>(i)];
            EXPECT_EQ(actions[i]->isSeparator(), identifier == 0) << text.toStdString();
            EXPECT_EQ(actions[i]->text(), text);
            if (identifier != 0) {
                EXPECT_EQ(actions[i]->data().toInt(), identifier) << text.toStdString();
                EXPECT_EQ(m_frame->GetAction(identifier), actions[i]);
                EXPECT_FALSE(actions[i]->objectName().isEmpty()) << text.toStdString();
            }
        }
    }
    EXPECT_EQ(Action("actionTrend")->shortcut(), QKeySequence("Ctrl+T"));
    // The Connect entry follows the port when it changes.
    SetPortName("COM5:");
    m_frame->UpdateConnectText();
    EXPECT_EQ(Action("actionConnect")->text(), "Connect -- COM5:");
}

TEST_F(MainFrameTest, ConnectOnAPortThatCannotOpenStillOffersUnconnect) {
    EXPECT_FALSE(Action("actionUnconnect")->isEnabled());
    SetPortName(m_fixture.Dir().Path() + "no-such-device");
    Action("actionConnect")->trigger();
    ASSERT_EQ(m_messages.Messages().size(), 1u) << "the link's box";
    EXPECT_NE(m_frame->GetLink(), nullptr);
    EXPECT_TRUE(Action("actionUnconnect")->isEnabled());
    EXPECT_FALSE(Action("actionConnect")->isEnabled());
    // A change that cannot go out is told on the status line, without a box.
    const auto* status = m_frame->findChild<QStatusBar*>("statusBar");
    ASSERT_NE(status, nullptr);
    CRegisterValue change(SOURCE_PANEL, 999, 2.0);
    m_fixture.Config().Update(change);
    m_frame->OnTimerTick();
    EXPECT_EQ(status->currentMessage(), CMainFrame::CHANGES_LOST_TEXT);
    EXPECT_EQ(m_messages.Messages().size(), 1u);

    Action("actionUnconnect")->trigger();
    EXPECT_EQ(m_frame->GetLink(), nullptr);
    EXPECT_TRUE(Action("actionConnect")->isEnabled());
    EXPECT_EQ(status->currentMessage(), "");
}

TEST_F(MainFrameTest, TrafficLogIsRememberedAndLogsEachConnectionIntoItsFolder) {
    const std::string dir = m_fixture.Dir().Path();
    QSettings settings(QString::fromStdString(dir + "settings.ini"), QSettings::IniFormat);
    m_frame->SetSettings(&settings);
    QStringList opened;
    m_frame->SetFolderOpener([&opened](const QString& folder) { opened << folder; });
    qputenv("XDG_STATE_HOME", QByteArray::fromStdString(dir + "state"));
    SetPortName(dir + "no-such-device");
    const auto logFiles = [](const std::string& folder) {
        return std::filesystem::exists(folder)
                   ? std::distance(std::filesystem::directory_iterator(folder), {})
                   : 0;
    };
    const auto connectAndLeave = [this] {
        Action("actionConnect")->trigger();
        Action("actionUnconnect")->trigger();
    };

    QAction* log = Action("actionTrafficLog");
    EXPECT_FALSE(log->isChecked());
    connectAndLeave();
    EXPECT_EQ(logFiles(dir + "state/tarnel/log"), 0);
    log->trigger();
    EXPECT_TRUE(settings.value("trafficLog").toBool());
    connectAndLeave();
    connectAndLeave();
    EXPECT_EQ(logFiles(dir + "state/tarnel/log"), 2) << "one file per connection";
    Action("actionOpenLogFolder")->trigger();
    EXPECT_EQ(opened, QStringList{QString::fromStdString(dir + "state/tarnel/log")});

    // --log: the folder for this run, logging on whatever was remembered.
    m_frame->OnCommand(ID_TRAFFIC_LOG);
    EXPECT_FALSE(settings.value("trafficLog").toBool());
    m_frame->SetLogFolder(dir + "run");
    EXPECT_FALSE(settings.value("trafficLog").toBool());
    connectAndLeave();
    EXPECT_EQ(logFiles(dir + "run"), 1);
    qunsetenv("XDG_STATE_HOME");
}

TEST_F(MainFrameTest, OpensAtTheLargestPageShowsPagesFromTheMenuAndEndsWithStatus0) {
    m_frame->show();
    // Page 2's label reaches (300, 400); page 0 is smaller than the least size.
    EXPECT_EQ(m_frame->GetPanelView()->size(), QSize(300, 400));
    const CPanelView& view = *m_frame->GetPanelView();
    EXPECT_EQ(view.GetCurrentPage(), 0);
    Action("actionPage2")->trigger();
    EXPECT_EQ(view.GetCurrentPage(), 2);
    Action("actionPage0")->trigger();
    EXPECT_EQ(view.GetCurrentPage(), 0);
    Action("actionTrend")->trigger();
    ASSERT_NE(m_frame->GetTrendWindow(), nullptr);
    EXPECT_TRUE(m_frame->GetTrendWindow()->isVisible());
    EXPECT_FALSE(m_frame->GetTrendWindow()->isModal());
    EXPECT_FALSE(m_frame->OnCommand(ID_PAGE_FIRST + 3)) << "no such page";
    EXPECT_EQ(view.GetCurrentPage(), 0);
    Action("actionExit")->trigger();
    m_frame->close();
    EXPECT_EQ(m_exits, std::vector<int>({0, 0}));
}

// Help, version and an unknown option are the process test's.
TEST(CommandLine, OptionsAndModes) {
    const struct {
        QStringList m_arguments;
        ERunMode m_mode;
    } cases[] = {
        {{"--log", "/var/tmp/log", "--connect"}, ERunMode::Window},
        {{"--dir", "/opt/panel", "--port", "COM3:", "--connect", "--snapshot", "out"},
         ERunMode::Snapshot},
        {{"--check", "--werror"}, ERunMode::Check},
        {{"--load-setup", "a.tnv", "--port", "COM2:"}, ERunMode::LoadSetup},
        {{"--save-setup", "b.tnv", "--connect"}, ERunMode::SaveSetup},
        {{"--compare-setup", "c.tnv", "--against", "d.tnv"}, ERunMode::CompareSetup},
        {{"--load-setup", "a.tnv", "--against", "d.tnv"}, ERunMode::Error},
        {{"--record", "v.csv", "--registers", "11,14", "--duration", "0.5"}, ERunMode::Record},
        {{"--check", "--save-setup", "b.tnv"}, ERunMode::Error},
        {{"--save-setup", "b.tnv", "--registers", "11"}, ERunMode::Error},
        {{"--dir"}, ERunMode::Error},
        {{"stray"}, ERunMode::Error},
    };
    for (const auto& c : cases) {
        const SCommandLine result = ParseCommandLine(QStringList{"tarnel"} + c.m_arguments);
        const std::string what = c.m_arguments.join(' ').toStdString();
        EXPECT_EQ(result.m_mode, c.m_mode) << what;
        EXPECT_EQ(ShowsWindow(result.m_mode), c.m_mode == ERunMode::Window) << what;
        EXPECT_EQ(result.m_text.isEmpty(), c.m_mode != ERunMode::Error) << what;
        if (c.m_mode == ERunMode::Error) {
            continue;
        }
        // Each option's value as given; "" where the option is not.
        const auto given = [&c](const char* option) {
            const qsizetype at = c.m_arguments.indexOf(option);
            return at < 0 ? std::string() : c.m_arguments.value(at + 1).toStdString();
        };
        EXPECT_EQ(result.m_programDirectory.value_or(""), given("--dir")) << what;
        EXPECT_EQ(result.m_portName.value_or(""), given("--port")) << what;
        EXPECT_EQ(result.m_logDirectory.value_or(""), given("--log")) << what;
        EXPECT_EQ(result.m_snapshotDirectory, given("--snapshot")) << what;
        EXPECT_EQ(result.m_setupFile,
                  given("--load-setup") + given("--save-setup") + given("--compare-setup"))
            << what;
        EXPECT_EQ(result.m_againstFile.value_or(""), given("--against")) << what;
        EXPECT_EQ(result.m_connect, c.m_arguments.contains("--connect")) << what;
        EXPECT_EQ(result.m_warningsAsErrors, c.m_arguments.contains("--werror")) << what;
        EXPECT_EQ(result.m_recordFile, given("--record")) << what;
    }
}

TEST(QtMessageService, AnswersWithTheButtonChosen) {
    EnsureApplication();
    CQtMessageService service;
    const struct {
        EMessageButtons m_buttons;
        QMessageBox::StandardButton m_click;
        EMessageResult m_result;
    } cases[] = {{EMessageButtons::Ok, QMessageBox::Ok, EMessageResult::Ok},
                 {EMessageButtons::OkCancel, QMessageBox::Cancel, EMessageResult::Cancel},
                 {EMessageButtons::OkCancel, QMessageBox::Ok, EMessageResult::Ok},
                 {EMessageButtons::YesNo, QMessageBox::No, EMessageResult::No}};
    for (const auto& c : cases) {
        QString seenText;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seenText = box->windowTitle() + "|" + box->text();
            box->button(c.m_click)->click();
        });
        EXPECT_EQ(service.ShowMessage("Timeout while sending parameters!", "Error!",
                                      EMessageIcon::Error, c.m_buttons),
                  c.m_result);
        EXPECT_EQ(seenText, "Error!|Timeout while sending parameters!");
    }
    // Another thread gets no dialog (it must not touch widgets) and does not block.
    EMessageResult fromThread = EMessageResult::No;
    std::thread([&] {
        fromThread = service.ShowMessage("q", "c", EMessageIcon::Question, EMessageButtons::YesNo);
    }).join();
    EXPECT_EQ(fromThread, EMessageResult::Yes);
}
