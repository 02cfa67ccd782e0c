#include "app/MainFrame.h"
#include "AppTestSupport.h"
#include "ConfigFixture.h"
#include "FakeClock.h"
#include "FakeMessageService.h"
#include "app/CommandIds.h"
#include "app/CommandLine.h"
#include "app/LinkState.h"
#include "app/QtMessageService.h"
#include "app/Startup.h"
#include "config/Configuration.h"
#include "config/ParameterListener.h"
#include "config/ProgramDirectory.h"
#include "config/RegisterValue.h"
#include "link/PortName.h"
#include "panel/PanelView.h"

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

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

class CRecorder final : public IParameterListener {
public:
    void OnParameterChanged(CRegisterValue& value) override { m_seen.push_back(value); }
    std::size_t CountFor(std::int32_t registerNumber) const {
        std::size_t count = 0;
        for (const auto& value : m_seen) {
            count += value.GetRegister() == registerNumber ? 1u : 0u;
        }
        return count;
    }
    std::vector<CRegisterValue> m_seen;
};

// A main window on a small configuration, its timer stopped so that the test drives the ticks
// and its exit recorded instead of ending the test.
class MainFrameTest : public ::testing::Test {
protected:
    explicit MainFrameTest(const std::optional<std::string>& portInf = std::nullopt)
        : m_fixture(MakeConfigXml("<P Id=\"5\" Value=\"3\"/><P Id=\"999\" Value=\"0\" "
                                  "Maximum=\"2\" SendSerial=\"true\"/>",
                                  PAGES)) {
        EnsureApplication();
        if (portInf) {
            m_fixture.Dir().Write("port.inf", *portInf);
        }
        ApplyStartupSettings(m_fixture.Dir().Path(), std::nullopt);
        SetLastShownLinkState(0);
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

class MainFrameWithPortInf : public MainFrameTest {
protected:
    MainFrameWithPortInf() : MainFrameTest(std::string("COM3: spare")) {}
};

} // namespace

TEST_F(MainFrameTest, MenusInOrderWithIdentifiersAndStates) {
    EXPECT_EQ(m_frame->windowTitle(), "Tarnel");
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
          {"Parameter List ...", ID_PARAMETER_LIST},
          {"", 0},
          {"Exit", ID_APP_EXIT}}},
        {"menuPanel", {{"Home", 1000}, {"Motor", 1001}, {"Pumpe", 1002}}},
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
    // The first page's own name is shown nowhere.
    for (QAction* action : m_frame->findChildren<QAction*>()) {
        EXPECT_NE(action->text(), "Start");
    }
    const std::pair<const char*, bool> enabled[] = {
        {"actionConnect", true},   {"actionUnconnect", false}, {"actionSetupConnection", true},
        {"actionSaveSetup", true}, {"actionLoadSetup", true},  {"actionParameterList", true},
        {"actionExit", true},      {"actionAbout", true},      {"actionPage2", true}};
    for (const auto& [name, state] : enabled) {
        ASSERT_NE(Action(name), nullptr) << name;
        EXPECT_EQ(Action(name)->isEnabled(), state) << name;
    }
    EXPECT_EQ(m_frame->GetConnectAction(), Action("actionConnect"));
}

TEST_F(MainFrameWithPortInf, ConnectEntryNamesThePortFromPortInf) {
    EXPECT_EQ(Action("actionConnect")->text(), "Connect -- COM3:");
    SetPortName("COM5:");
    m_frame->UpdateConnectText();
    EXPECT_EQ(Action("actionConnect")->text(), "Connect -- COM5:");
}

TEST_F(MainFrameTest, TicksWriteTheTitleAnnounceOnceAndRefreshThePanel) {
    CRecorder recorder;
    m_fixture.Config().AddListener(&recorder);
    const auto* field = m_frame->findChild<QLineEdit*>(CPanelView::ControlObjectName(2000));
    ASSERT_NE(field, nullptr);

    m_frame->OnTimerTick();
    EXPECT_EQ(m_frame->windowTitle(), "Tarnel") << "no device: the title stays";
    EXPECT_EQ(field->text(), "6") << "the panel is refreshed";

    m_fixture.Config().TouchLink();
    m_frame->OnTimerTick();
    m_frame->OnTimerTick();
    EXPECT_EQ(m_frame->windowTitle(), "TN [connected]");
    EXPECT_EQ(recorder.CountFor(REGISTER_LINK_COMMAND), 1u);

    m_clock.Advance(2);
    m_frame->OnTimerTick();
    EXPECT_EQ(m_frame->windowTitle(), "TN [no Conn.]");
    EXPECT_EQ(recorder.CountFor(REGISTER_LINK_COMMAND), 1u);

    CRegisterValue change(SOURCE_DEVICE, 5, 21);
    m_fixture.Config().Update(change);
    m_frame->OnTimerTick();
    EXPECT_EQ(field->text(), "42");
    m_fixture.Config().RemoveListener(&recorder);
}

TEST_F(MainFrameTest, ConnectOnAPortThatCannotOpenStillOffersUnconnect) {
    SetPortName(m_fixture.Dir().Path() + "no-such-device");
    Action("actionConnect")->trigger();
    ASSERT_EQ(m_messages.Messages().size(), 1u);
    EXPECT_EQ(m_messages.Messages()[0].m_caption, "Message");
    ASSERT_NE(m_frame->GetLink(), nullptr);
    EXPECT_FALSE(m_frame->GetLink()->IsPortOpen());
    EXPECT_TRUE(Action("actionUnconnect")->isEnabled());
    EXPECT_FALSE(Action("actionConnect")->isEnabled());

    Action("actionUnconnect")->trigger();
    EXPECT_EQ(m_frame->GetLink(), nullptr);
    EXPECT_FALSE(Action("actionUnconnect")->isEnabled());
    EXPECT_TRUE(Action("actionConnect")->isEnabled());
}

TEST_F(MainFrameTest, PageEntriesShowTheirPages) {
    const CPanelView& view = *m_frame->GetPanelView();
    EXPECT_EQ(view.GetCurrentPage(), 0);
    Action("actionPage2")->trigger();
    EXPECT_EQ(view.GetCurrentPage(), 2);
    Action("actionPage0")->trigger();
    EXPECT_EQ(view.GetCurrentPage(), 0);
    EXPECT_FALSE(m_frame->OnCommand(ID_PAGE_FIRST + 3)) << "no such page";
    EXPECT_EQ(view.GetCurrentPage(), 0);
}

TEST_F(MainFrameTest, ExitAndClosingEndWithStatus0) {
    Action("actionExit")->trigger();
    m_frame->show();
    m_frame->close();
    EXPECT_EQ(m_exits, std::vector<int>({0, 0}));
}

TEST_F(MainFrameTest, OpensAtTheLargestPage) {
    m_frame->show();
    // Page 2's label reaches (300, 400); page 0 is smaller than the least size.
    EXPECT_EQ(m_frame->GetPanelView()->size(), QSize(300, 400));
}

TEST(CommandLine, OptionsAndModes) {
    const auto parse = [](QStringList arguments) {
        arguments.prepend("tarnel");
        return ParseCommandLine(arguments);
    };
    EXPECT_EQ(parse({}).m_mode, ERunMode::Window);
    EXPECT_FALSE(parse({}).m_connect);
    EXPECT_FALSE(parse({}).m_programDirectory.has_value());

    const SCommandLine full =
        parse({"--dir", "/opt/panel", "--port", "COM3:", "--connect", "--snapshot", "out"});
    EXPECT_EQ(full.m_mode, ERunMode::Snapshot);
    EXPECT_EQ(full.m_programDirectory.value_or(""), "/opt/panel");
    EXPECT_EQ(full.m_portName.value_or(""), "COM3:");
    EXPECT_TRUE(full.m_connect);
    EXPECT_EQ(full.m_snapshotDirectory, "out");
    EXPECT_FALSE(ShowsWindow(full.m_mode));

    const struct {
        QStringList m_arguments;
        ERunMode m_mode;
        const char* m_file;
    } modes[] = {
        {{"--check", "--werror"}, ERunMode::Check, ""},
        {{"--load-setup", "a.tnv", "--port", "COM2:"}, ERunMode::LoadSetup, "a.tnv"},
        {{"--save-setup", "b.tnv", "--connect"}, ERunMode::SaveSetup, "b.tnv"},
        {{"--check", "--save-setup", "b.tnv"}, ERunMode::Error, ""},
    };
    for (const auto& mode : modes) {
        const SCommandLine result = parse(mode.m_arguments);
        EXPECT_EQ(result.m_mode, mode.m_mode) << mode.m_arguments.join(' ').toStdString();
        EXPECT_EQ(result.m_setupFile, mode.m_file);
        EXPECT_FALSE(ShowsWindow(result.m_mode));
    }
    EXPECT_TRUE(parse({"--check", "--werror"}).m_warningsAsErrors);

    EXPECT_EQ(parse({"--help"}).m_mode, ERunMode::Help);
    EXPECT_TRUE(parse({"--help"}).m_text.contains("--snapshot <DIR>"));
    EXPECT_EQ(parse({"--version"}).m_mode, ERunMode::Version);
    for (const QStringList& wrong :
         {QStringList{"--bogus"}, QStringList{"--dir"}, QStringList{"stray"}}) {
        const SCommandLine result = parse(wrong);
        EXPECT_EQ(result.m_mode, ERunMode::Error) << wrong.join(' ').toStdString();
        EXPECT_FALSE(result.m_text.isEmpty());
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
