#include "ConfigFixture.h"
#include "FakeClock.h"
#include "config/Configuration.h"
#include "config/ParameterListener.h"
#include "config/RegisterValue.h"
#include "config/Rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

class CRecordingListener final : public IParameterListener {
public:
    void OnParameterChanged(CRegisterValue& value) override { m_seen.push_back(value); }
    std::vector<CRegisterValue> m_seen;
};

const std::string s_parameters = "<P Id=\"1\" Value=\"0\"/>"
                                 "<P Id=\"2\" Value=\"0\" Minimum=\"10\" Maximum=\"5\"/>"
                                 "<P Id=\"3\" Value=\"7\" Name=\"first\"/>"
                                 "<P Id=\"3\" Value=\"8\" Name=\"second\"/>";

class UpdateTest : public ::testing::Test {
protected:
    UpdateTest() : m_fixture(MakeConfigXml(s_parameters)) {}
    CConfiguration& Config() { return m_fixture.Config(); }

    CConfigFixture m_fixture;
};

} // namespace

TEST(Rounding, FollowsTheParameterRule) {
    const struct {
        double m_in;
        std::int32_t m_out;
    } cases[] = {{2.5, 3},
                 {0.5, 1},
                 {0.49, 0},
                 {-0.5, 0},
                 {-0.51, -1},
                 {-1.5, -2},
                 {-2.5, -3},
                 {1.49, 1},
                 {127.4, 127},
                 {-0.0, 0},
                 {3e9, 2147483647},
                 {-3e9, -2147483647 - 1},
                 {std::numeric_limits<double>::infinity(), 2147483647},
                 {std::nan(""), 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(RoundToInt(c.m_in), c.m_out) << c.m_in;
    }
}

TEST(RegisterValue, KeepsItsFields) {
    CRegisterValue value(SOURCE_PARAMETER_SET, 12, 100.0);
    EXPECT_EQ(value.GetSource(), 17);
    EXPECT_EQ(value.GetRegister(), 12);
    EXPECT_EQ(value.GetValue(), 100.0);
    value.SetValue(-2.0);
    EXPECT_EQ(value.GetValue(), -2.0);
}

TEST_F(UpdateTest, RoundsAndClampsIntoParameterAndRecord) {
    CRecordingListener listener;
    Config().AddListener(&listener);
    const struct {
        double m_in;
        std::int32_t m_stored;
    } cases[] = {{2.5, 3}, {-0.5, 0}, {-1.5, -2}, {1000.0, 127}, {-1000.0, -127}, {300.0, 127}};
    for (const auto& c : cases) {
        CRegisterValue value(SOURCE_PANEL, 1, c.m_in);
        Config().Update(value);
        EXPECT_EQ(Config().FindParameter(1)->GetValue(), c.m_stored) << c.m_in;
        EXPECT_EQ(value.GetValue(), static_cast<double>(c.m_stored)) << "written back";
        ASSERT_FALSE(listener.m_seen.empty());
        EXPECT_EQ(listener.m_seen.back().GetValue(), static_cast<double>(c.m_stored));
        EXPECT_EQ(listener.m_seen.back().GetSource(), SOURCE_PANEL);
    }
    Config().RemoveListener(&listener);
}

TEST_F(UpdateTest, MaximumBelowMinimumWins) {
    for (const double in : {-50.0, 7.0, 50.0}) {
        CRegisterValue value(SOURCE_PANEL, 2, in);
        Config().Update(value);
        EXPECT_EQ(Config().FindParameter(2)->GetValue(), 5) << in;
    }
}

TEST_F(UpdateTest, UndeclaredRegisterChangesNothing) {
    CRecordingListener listener;
    Config().AddListener(&listener);
    CRegisterValue value(SOURCE_PANEL, 42, 9.0);
    Config().Update(value);
    EXPECT_TRUE(listener.m_seen.empty());
    EXPECT_EQ(value.GetValue(), 9.0);
    for (int i = 0; i < Config().GetParameterCount(); ++i) {
        EXPECT_NE(Config().GetParameter(i)->GetValue(), 9);
    }
    Config().RemoveListener(&listener);
}

TEST_F(UpdateTest, DuplicateRegistersResolveToTheFirst) {
    EXPECT_STREQ(Config().FindParameter(3)->GetName(), "first");
    EXPECT_EQ(Config().GetParameterIndex(3), 2);
    EXPECT_EQ(Config().GetParameterIndex(4), -1);
    CRegisterValue value(SOURCE_PANEL, 3, 20.0);
    Config().Update(value);
    EXPECT_EQ(Config().GetParameter(2)->GetValue(), 20);
    EXPECT_EQ(Config().GetParameter(3)->GetValue(), 8) << "the second is never touched";
}

TEST_F(UpdateTest, ListenerSlots) {
    std::vector<CRecordingListener> listeners(12);
    for (int i = 0; i < 11; ++i) {
        Config().AddListener(&listeners[static_cast<std::size_t>(i)]);
    }
    CRegisterValue value(SOURCE_PANEL, 1, 1.0);
    Config().Update(value);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(listeners[static_cast<std::size_t>(i)].m_seen.size(), 1u) << i;
    }
    EXPECT_TRUE(listeners[10].m_seen.empty()) << "an eleventh listener is dropped";

    Config().RemoveListener(&listeners[11]); // never added: no effect
    Config().RemoveListener(&listeners[3]);
    Config().AddListener(&listeners[11]); // takes slot 3 again
    Config().Update(value);
    EXPECT_EQ(listeners[3].m_seen.size(), 1u);
    EXPECT_EQ(listeners[11].m_seen.size(), 1u);

    for (auto& listener : listeners) {
        Config().RemoveListener(&listener);
    }
    Config().Update(value);
    EXPECT_EQ(listeners[0].m_seen.size(), 2u);
}

TEST_F(UpdateTest, ListenersAreCalledInSlotOrderAndTwiceWhenAddedTwice) {
    std::vector<int> order;
    struct COrderListener final : IParameterListener {
        COrderListener(std::vector<int>& order, int id) : m_order(order), m_id(id) {}
        void OnParameterChanged(CRegisterValue&) override { m_order.push_back(m_id); }
        std::vector<int>& m_order;
        int m_id;
    };
    COrderListener a(order, 1);
    COrderListener b(order, 2);
    Config().AddListener(&a);
    Config().AddListener(&b);
    Config().AddListener(&a);
    CRegisterValue value(SOURCE_PANEL, 1, 1.0);
    Config().Update(value);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 1}));
    Config().RemoveListener(&a);
    order.clear();
    Config().Update(value);
    EXPECT_EQ(order, (std::vector<int>{2, 1})) << "removal empties the lowest slot only";
    Config().RemoveListener(&a);
    Config().RemoveListener(&b);
}

TEST_F(UpdateTest, LinkIsAliveForTwoSecondsAfterAReport) {
    CFakeClock clock(5000);
    Config().SetClock(&clock);
    EXPECT_FALSE(Config().IsLinkAlive()) << "not alive before any report";
    Config().TouchLink();
    EXPECT_TRUE(Config().IsLinkAlive());
    clock.Advance(1);
    EXPECT_TRUE(Config().IsLinkAlive());
    clock.Advance(1);
    EXPECT_FALSE(Config().IsLinkAlive());
    clock.Set(1);
    EXPECT_TRUE(Config().IsLinkAlive()) << "a clock set back counts as within the window";
    Config().SetClock(nullptr);
}
