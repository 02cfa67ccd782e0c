#include "ConfigFixture.h"
#include "FakeClock.h"
#include "FunctionListener.h"
#include "config/Configuration.h"
#include "config/RegisterValue.h"
#include "config/Rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>
#include <utility>
#include <vector>

namespace {

class UpdateTest : public ::testing::Test {
protected:
    UpdateTest()
        : m_fixture(MakeConfigXml("<P Id=\"1\" Value=\"0\"/>"
                                  "<P Id=\"2\" Value=\"0\" Minimum=\"10\" Maximum=\"5\"/>"
                                  "<P Id=\"3\" Value=\"7\" Name=\"first\"/>"
                                  "<P Id=\"3\" Value=\"8\" Name=\"second\"/>")) {}
    CConfiguration& Config() { return m_fixture.Config(); }
    // Updates the register and returns the record as the store left it.
    CRegisterValue Update(std::int32_t registerNumber, double value) {
        CRegisterValue change(SOURCE_PANEL, registerNumber, value);
        Config().Update(change);
        return change;
    }

    // Appends its number and the record to m_calls, so order and count both show.
    CFunctionListener Numbered(int number) {
        return CFunctionListener(
            [this, number](CRegisterValue& value) { m_calls.emplace_back(number, value); });
    }

    CConfigFixture m_fixture;
    std::vector<std::pair<int, CRegisterValue>> m_calls;
};

} // namespace

TEST(Rounding, FollowsTheParameterRule) {
    // Beyond the integers' range the result saturates; what is no number gives 0.
    constexpr std::int32_t MAX = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t MIN = std::numeric_limits<std::int32_t>::min();
    const std::pair<double, std::int32_t> cases[] = {
        {2.5, 3},  {0.5, 1},  {0.49, 0},  {-0.5, 0},   {-0.51, -1},     {-1.5, -2}, {-2.5, -3},
        {1.49, 1}, {-0.0, 0}, {3e9, MAX}, {-3e9, MIN}, {HUGE_VAL, MAX}, {NAN, 0}};
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(RoundToInt(in), out) << in;
    }
}

TEST_F(UpdateTest, RoundsAndClampsTheFirstParameterOfTheRegister) {
    CFunctionListener listener = Numbered(0);
    Config().AddListener(&listener);
    // Register 2 has its maximum below its minimum: the maximum wins.
    const struct {
        std::int32_t m_register;
        double m_in;
        std::int32_t m_stored;
    } cases[] = {{1, 2.5, 3},   {1, -1.5, -2}, {1, 1000.0, 127}, {1, -1e3, -127},
                 {2, -50.0, 5}, {2, 7.0, 5},   {2, 50.0, 5},     {3, 20.0, 20}};
    for (const auto& c : cases) {
        m_calls.clear();
        const double stored = c.m_stored;
        EXPECT_EQ(Update(c.m_register, c.m_in).GetValue(), stored) << "written back";
        EXPECT_EQ(Config().FindParameter(c.m_register)->GetValue(), c.m_stored) << c.m_in;
        ASSERT_EQ(m_calls.size(), 1u);
        const CRegisterValue& seen = m_calls[0].second;
        EXPECT_EQ(std::make_tuple(seen.GetRegister(), seen.GetValue(), seen.GetSource()),
                  std::make_tuple(c.m_register, stored, SOURCE_PANEL));
    }
    // Of two parameters of register 3 the first is found and changed, never the second.
    EXPECT_STREQ(Config().FindParameter(3)->GetName(), "first");
    EXPECT_EQ(Config().GetParameterIndex(3), 2);
    EXPECT_EQ(Config().GetParameter(3)->GetValue(), 8);
    m_calls.clear();
    EXPECT_EQ(Update(42, 9.0).GetValue(), 9.0);
    EXPECT_EQ(Config().GetParameterIndex(42), -1);
    EXPECT_TRUE(m_calls.empty()) << "an undeclared register notifies no one";
    Config().RemoveListener(&listener);
}

TEST_F(UpdateTest, ListenersTakeTheLowestFreeSlotAndAreCalledInSlotOrder) {
    std::vector<CFunctionListener> listeners;
    listeners.reserve(12);
    for (int i = 0; i < 12; ++i) {
        listeners.push_back(Numbered(i));
    }
    const auto notified = [&] {
        m_calls.clear();
        Update(1, 1.0);
        std::vector<int> numbers;
        for (const auto& call : m_calls) {
            numbers.push_back(call.first);
        }
        return numbers;
    };
    using Numbers = std::vector<int>;
    for (int i = 0; i < 11; ++i) {
        Config().AddListener(&listeners[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(notified(), (Numbers{0, 1, 2, 3, 4, 5, 6, 7, 8, 9})) << "the eleventh is dropped";
    Config().RemoveListener(&listeners[11]); // never added: no effect
    Config().RemoveListener(&listeners[3]);
    Config().AddListener(&listeners[11]);
    EXPECT_EQ(notified(), (Numbers{0, 1, 2, 11, 4, 5, 6, 7, 8, 9}));
    // The same listener twice takes two slots; removal empties the lower one.
    Config().RemoveListener(&listeners[5]);
    Config().AddListener(&listeners[9]);
    EXPECT_EQ(notified(), (Numbers{0, 1, 2, 11, 4, 9, 6, 7, 8, 9}));
    Config().RemoveListener(&listeners[9]);
    EXPECT_EQ(notified(), (Numbers{0, 1, 2, 11, 4, 6, 7, 8, 9}));
    for (auto& listener : listeners) {
        Config().RemoveListener(&listener);
    }
    EXPECT_TRUE(notified().empty());
}

// The two seconds after a report are the link state's table; there the clock only goes forward.
TEST_F(UpdateTest, LinkStaysAliveWhenTheClockIsSetBack) {
    CFakeClock clock(5000);
    Config().SetClock(&clock);
    Config().TouchLink();
    clock.Set(1);
    EXPECT_TRUE(Config().IsLinkAlive());
    Config().SetClock(nullptr);
}
