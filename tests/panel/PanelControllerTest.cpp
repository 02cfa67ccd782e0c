#include "panel/PanelController.h"
#include "ConfigFixture.h"
#include "FakeMessageService.h"
#include "FakePanelHost.h"
#include "PanelXml.h"
#include "config/Configuration.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

// Page 0: a bar, a lower-case "button" (no control), a button writing two registers, a field,
// a diagram and a confirmed button.
const std::string s_pages =
    Page(Control("Bar", Input("R1")) + Control("button", "") +
         Control("Button", Output("x + R1", 2) + Output("x * 10", 1)) + Control("Field", "") +
         Control("TsView", "") +
         Control("Button", "<TEXT Value='Start'/><SETTINGS Nachfrage='true'/>" + Output("x", 5))) +
    Page(Control("Label", "")) + Page(Control("Bar", Input("R1 * 2")));

const std::string s_parameters = Parameter(1) + Parameter(2) + Parameter(5) + Parameter(997);

constexpr int BAR = 2000;
constexpr int BUTTON = 2002;
constexpr int FIELD = 2003;
constexpr int TSVIEW = 2004;
constexpr int CONFIRMED = 2005;

class PanelControllerTest : public ::testing::Test {
protected:
    PanelControllerTest() : m_fixture(MakeConfigXml(s_parameters, s_pages)) {
        m_fixture.Config().AddListener(&m_controller);
        m_fixture.Config().AddListener(&m_recorder);
    }
    ~PanelControllerTest() override {
        m_fixture.Config().RemoveListener(&m_recorder);
        m_fixture.Config().RemoveListener(&m_controller);
    }

    void Set(std::int32_t registerNumber, double value) { m_fixture.Set(registerNumber, value); }
    Writes Written() { return m_recorder.Take(SOURCE_PANEL); }

    CFakeMessageService m_messages;
    CConfigFixture m_fixture;
    CFakeHost m_host;
    CPanelController m_controller{m_fixture.Config(), m_host};
    CRecordingListener m_recorder;
};

} // namespace

TEST_F(PanelControllerTest, RefreshPushesChangedValuesAndEverythingAfterReturning) {
    m_controller.RefreshControls(); // nothing shown yet: nothing happens
    Set(1, 5);
    m_controller.ShowPage(0);
    // "button" makes no control, and the next object still has 2000 + its own index.
    EXPECT_EQ(m_host.m_latest.size(), 5U);
    m_controller.RefreshControls();
    EXPECT_EQ(m_host.At(BAR).m_shown, std::vector<std::int32_t>{5});
    EXPECT_EQ(m_host.At(FIELD).m_shown, std::vector<std::int32_t>{0});
    m_controller.RefreshControls();
    Set(1, 6);
    m_controller.RefreshControls();
    // Pushed only on a change; the diagram on every tick.
    EXPECT_EQ(m_host.At(BAR).m_shown, (std::vector<std::int32_t>{5, 6}));
    EXPECT_EQ(m_host.At(TSVIEW).m_shown.size(), 3U);

    m_controller.ShowPage(1);
    m_controller.ShowPage(0);
    m_controller.RefreshControls();
    EXPECT_EQ(m_host.At(BAR).m_shown, std::vector<std::int32_t>{6});
    EXPECT_EQ(m_host.At(FIELD).m_shown, std::vector<std::int32_t>{0});
    EXPECT_TRUE(Written().empty());
}

TEST_F(PanelControllerTest, PageSelectRecordsSwitchAndEndTheTick) {
    m_controller.ShowPage(0);
    Set(5, 1);
    Set(997, 2);
    Set(997, 1);
    m_controller.RefreshControls();
    // Register 5 dropped, page 2 shown, and no control refreshed on this tick.
    EXPECT_EQ(m_controller.GetCurrentPage(), 2);
    EXPECT_TRUE(m_host.At(BAR).m_shown.empty());
    // The record after it stayed for the next tick.
    m_controller.RefreshControls();
    EXPECT_EQ(m_controller.GetCurrentPage(), 1);

    // A request for the page shown rebuilds nothing; one for a page that does not exist is
    // ignored. Either ends its tick.
    m_controller.ShowPage(2);
    const int built = m_host.m_pagesShown;
    CFakeControl* bar = &m_host.At(BAR);
    for (const double page : {2.0, 7.0, -1.0}) {
        Set(997, page);
        m_controller.RefreshControls();
        EXPECT_EQ(m_controller.GetCurrentPage(), 2);
        EXPECT_EQ(m_host.m_pagesShown, built);
        EXPECT_EQ(&m_host.At(BAR), bar);
        EXPECT_TRUE(bar->m_shown.empty());
    }
    m_controller.RefreshControls();
    EXPECT_EQ(bar->m_shown, std::vector<std::int32_t>{0});
}

// The combo, slider, check box and field write through the view's tests, on real controls.
TEST_F(PanelControllerTest, ButtonsWriteThroughEveryOutputFormulaAfterConfirmation) {
    Set(1, 4);
    m_controller.ShowPage(0);
    // Every formula sees the values from before the action: R1 is still 4 for the first.
    m_controller.OnControlCommand(BUTTON, &m_host.At(BUTTON));
    EXPECT_EQ(Written(), (Writes{{2, 5.0}, {1, 10.0}}));

    m_messages.SetNextAnswer(EMessageResult::Cancel);
    m_controller.OnControlCommand(CONFIRMED, &m_host.At(CONFIRMED));
    EXPECT_TRUE(Written().empty());
    m_messages.SetNextAnswer(EMessageResult::Ok);
    m_controller.OnControlCommand(CONFIRMED, &m_host.At(CONFIRMED));
    EXPECT_EQ(Written(), (Writes{{5, 1.0}}));

    const CFakeMessageService::SMessage question{"Do you really want to execute :Start:", "Warning",
                                                 EMessageIcon::Question, EMessageButtons::OkCancel};
    EXPECT_EQ(m_messages.Messages(), CFakeMessageService::MessageList(2, question));

    // The question's modal loop keeps the timer running: a page request from the device may
    // switch the page meanwhile. OK still executes the button, through its outputs.
    m_messages.SetWhileAsking([this] {
        Set(997, 1);
        m_controller.RefreshControls();
    });
    m_controller.OnControlCommand(CONFIRMED, &m_host.At(CONFIRMED));
    EXPECT_EQ(m_controller.GetCurrentPage(), 1);
    EXPECT_EQ(Written(), (Writes{{5, 1.0}}));
}

// The serial reader thread updates the store, page requests among its changes, while the
// user-interface thread refreshes and switches pages; then the panel unregisters while the
// reader still runs. Run under ThreadSanitizer, this checks the queue's and the listener
// table's locking.
TEST_F(PanelControllerTest, ReaderUpdatesWhileTheUserInterfaceSwitchesPages) {
    CConfiguration& config = m_fixture.Config();
    auto controller = std::make_unique<CPanelController>(config, m_host);
    config.AddListener(controller.get());
    controller->ShowPage(0);

    std::atomic<bool> stop{false};
    std::thread reader([&] {
        for (int n = 0; !stop.load(); ++n) {
            // Every third change asks for the next page: 0, 1, 2, 0, ...
            CRegisterValue value = n % 3 == 0 ? CRegisterValue(SOURCE_DEVICE, 997, (n / 3) % 3)
                                              : CRegisterValue(SOURCE_DEVICE, 1 + n % 2, n);
            config.Update(value);
        }
    });

    // Until enough requests have crossed over from the reader, within a generous bound.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    int switchedByRequest = 0;
    for (int tick = 0; switchedByRequest < 100 && std::chrono::steady_clock::now() < deadline;
         ++tick) {
        const int built = m_host.m_pagesShown;
        controller->RefreshControls();
        switchedByRequest += m_host.m_pagesShown - built;
        if (tick % 7 == 0) {
            controller->ShowPage(tick % 3);
        }
    }
    // Removed while the reader still runs, and freed at once: a late call would touch freed
    // memory, which the sanitizers report.
    config.RemoveListener(controller.get());
    controller.reset();
    stop.store(true);
    reader.join();

    EXPECT_GE(switchedByRequest, 100);
}
