#include "panel/PanelController.h"
#include "ConfigFixture.h"
#include "FakeMessageService.h"
#include "PanelXml.h"
#include "config/Configuration.h"
#include "config/UiObject.h"
#include "panel/PanelHost.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// Records what the rules push into it and answers with preset values.
class CFakeControl final : public IPageControl {
public:
    void ShowValue(std::int32_t value) override { m_shown.push_back(value); }
    std::optional<std::int32_t> ReadUserValue() const override { return m_user; }
    std::optional<std::int32_t> ReadCommandValue() const override { return m_command; }
    void UndoUserChange() override { ++m_undone; }

    std::vector<std::int32_t> m_shown;
    std::optional<std::int32_t> m_user;
    std::optional<std::int32_t> m_command;
    int m_undone = 0;
};

class CFakeHost final : public IPanelHost {
public:
    std::unique_ptr<IPageControl> CreateControl(EControlType type, const CUiObject& /*object*/,
                                                int identifier) override {
        auto control = std::make_unique<CFakeControl>();
        m_live[identifier] = control.get();
        m_types[identifier] = type;
        return control;
    }
    void DestroyControl(std::unique_ptr<IPageControl> control) override {
        for (auto it = m_live.begin(); it != m_live.end(); ++it) {
            if (it->second == control.get()) {
                m_live.erase(it);
                break;
            }
        }
    }
    void OnPageShown() override { ++m_pagesShown; }

    CFakeControl& At(int identifier) { return *m_live.at(identifier); }

    std::map<int, CFakeControl*> m_live;
    std::map<int, EControlType> m_types;
    int m_pagesShown = 0;
};

// Page 0: a bar, a lower-case "button" (no control), a button writing two registers, a combo,
// a confirmed check box, a field, a diagram and a confirmed button without formulas.
const std::string s_pages =
    Page(
        Control("Bar", Input("R1")) + Control("button", "") +
        Control("Button", Output("x + R1", 2) + Output("x * 10", 1)) +
        Control("Combo", Item("a", 1) + Item("b", 2) + Item("c", 2) + Input("R12 / 10") +
                             Output("x * 10", 12)) +
        Control("Check", "<TEXT Value=\"Pumpe\"/><SETTINGS Nachfrage=\"true\"/>" + Output("x", 3)) +
        Control("Field", Output("x", 4)) + Control("TsView", "") +
        Control("Button", "<TEXT Value=\"Start\"/><SETTINGS Nachfrage=\"true\"/>")) +
    Page(Control("Label", "")) + Page(Control("Bar", Input("R1 * 2")));

const std::string s_parameters = Parameter(1) + Parameter(2) + Parameter(3) + Parameter(4) +
                                 Parameter(5) + Parameter(7) + Parameter(12) +
                                 Parameter(997, 0, 10);

constexpr int BAR = 2000;
constexpr int BUTTON = 2002;
constexpr int COMBO = 2003;
constexpr int CHECK = 2004;
constexpr int FIELD = 2005;
constexpr int TSVIEW = 2006;
constexpr int CONFIRMED_BUTTON = 2007;

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

    void Set(std::int32_t registerNumber, double value) {
        CRegisterValue change(SOURCE_DEVICE, registerNumber, value);
        m_fixture.Config().Update(change);
    }
    // Changes the panel wrote (source 99), as register -> value pairs in order.
    std::vector<std::pair<std::int32_t, double>> Written() {
        std::vector<std::pair<std::int32_t, double>> written;
        for (const auto& change : m_recorder.TakeChanges()) {
            if (change.m_source == SOURCE_PANEL) {
                written.emplace_back(change.m_register, change.m_value);
            }
        }
        return written;
    }
    using Writes = std::vector<std::pair<std::int32_t, double>>;

    CFakeMessageService m_messages;
    CConfigFixture m_fixture;
    CFakeHost m_host;
    CPanelController m_controller{m_fixture.Config(), m_host};
    CRecordingListener m_recorder;
};

} // namespace

TEST_F(PanelControllerTest, BuildsPagesByIndexAndSkipsUnknownTypes) {
    EXPECT_EQ(m_controller.GetCurrentPage(), -1);
    m_controller.RefreshControls(); // nothing shown yet: nothing happens
    m_controller.ShowPage(0);
    EXPECT_EQ(m_controller.GetCurrentPage(), 0);
    // "button" makes no control, and the next object still has 2000 + its own index.
    EXPECT_EQ(m_host.m_live.count(2001), 0U);
    EXPECT_EQ(m_host.m_types.at(BUTTON), EControlType::Button);
    EXPECT_EQ(m_host.m_live.size(), 7U);

    // The page shown, or one that does not exist, changes nothing.
    CFakeControl* bar = &m_host.At(BAR);
    m_controller.ShowPage(0);
    m_controller.ShowPage(3);
    m_controller.ShowPage(-1);
    EXPECT_EQ(&m_host.At(BAR), bar);
    EXPECT_EQ(m_host.m_pagesShown, 1);
    EXPECT_EQ(m_controller.GetCurrentPage(), 0);
}

TEST_F(PanelControllerTest, RefreshPushesChangedValuesAndEverythingAfterReturning) {
    Set(1, 5);
    m_controller.ShowPage(0);
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
    for (const double page : {2.0, 7.0}) {
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

TEST_F(PanelControllerTest, UserValuesWriteThroughEveryOutputFormula) {
    Set(1, 4);
    m_controller.ShowPage(0);
    m_controller.RefreshControls();
    Written();

    // Every formula sees the values from before the action: R1 is still 4 for the first.
    m_controller.OnControlCommand(BUTTON, &m_host.At(BUTTON));
    EXPECT_EQ(Written(), (Writes{{2, 5.0}, {1, 10.0}}));

    // A combo's chosen entry is written on the tick that reads it, once.
    m_host.At(COMBO).m_user = 3;
    m_controller.RefreshControls();
    m_controller.RefreshControls();
    const auto changes = m_recorder.TakeChanges();
    ASSERT_EQ(changes.size(), 1U);
    EXPECT_EQ(changes[0].m_register, 12);
    EXPECT_EQ(changes[0].m_value, 30.0);
    EXPECT_EQ(changes[0].m_source, SOURCE_PANEL);

    // A field writes its integer; a field text without one writes nothing.
    m_host.At(FIELD).m_command = -7;
    m_controller.OnControlCommand(FIELD, &m_host.At(FIELD));
    m_host.At(FIELD).m_command.reset();
    m_controller.OnControlCommand(FIELD, &m_host.At(FIELD));
    EXPECT_EQ(Written(), (Writes{{4, -7.0}}));
    EXPECT_TRUE(m_messages.Messages().empty());
}

TEST_F(PanelControllerTest, ConfirmationQuestions) {
    m_controller.ShowPage(0);
    CFakeControl& check = m_host.At(CHECK);
    check.m_command = 1;

    m_messages.SetNextAnswer(EMessageResult::Cancel);
    m_controller.OnControlCommand(CHECK, &check);
    EXPECT_EQ(check.m_undone, 1);
    m_controller.OnControlCommand(CONFIRMED_BUTTON, &m_host.At(CONFIRMED_BUTTON));
    EXPECT_TRUE(Written().empty());

    m_messages.SetNextAnswer(EMessageResult::Ok);
    m_controller.OnControlCommand(CHECK, &check);
    EXPECT_EQ(check.m_undone, 1);
    EXPECT_EQ(Written(), (Writes{{3, 1.0}}));
    // OK on a button without formulas writes nothing.
    m_controller.OnControlCommand(CONFIRMED_BUTTON, &m_host.At(CONFIRMED_BUTTON));
    EXPECT_TRUE(Written().empty());

    const auto messages = m_messages.Messages();
    ASSERT_EQ(messages.size(), 4U);
    EXPECT_EQ(messages[0].m_text, "Do you really want to change this Value? :Pumpe:");
    EXPECT_EQ(messages[1].m_text, "Do you really want to execute :Start:");
    for (const auto& message : messages) {
        EXPECT_EQ(message.m_caption, "Warning");
        EXPECT_EQ(message.m_icon, EMessageIcon::Question);
        EXPECT_EQ(message.m_buttons, EMessageButtons::OkCancel);
    }
}

TEST_F(PanelControllerTest, CommandsOfControlsNoLongerShownAreDropped) {
    m_controller.ShowPage(0);
    CFakeControl stale;
    m_controller.OnControlCommand(BUTTON, &stale);
    m_controller.OnControlCommand(BUTTON, nullptr);
    m_controller.OnControlCommand(2001, &m_host.At(BUTTON));
    m_controller.OnControlCommand(2300, &m_host.At(BUTTON));
    EXPECT_TRUE(Written().empty());
}
