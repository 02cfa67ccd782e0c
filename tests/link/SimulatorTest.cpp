#include "Animation.h"
#include "ConfigFixture.h"
#include "DeviceModel.h"
#include "SimulatorOptions.h"
#include "config/Configuration.h"

#include <gtest/gtest.h>

// The simulator is a development tool: covered here is what the product's tests rely on.
TEST(SimulatorProtocol, DeviceModelAnswersTheHost) {
    // The registers come from the configuration; the first of a number counts.
    const CConfigFixture fixture(MakeConfigXml(
        "<P Id=\"12\" Value=\"5\"/><P Id=\"3\" Value=\"-7\"/><P Id=\"12\" Value=\"9\"/>"));
    CDeviceModel model;
    model.LoadFrom(fixture.Config());
    EXPECT_EQ(model.GetValue(12), 5);
    using Lines = std::vector<std::string>;
    EXPECT_EQ(model.HandleHostLine("S12:345;199"), Lines{"B12:345;182\r\n"});
    EXPECT_EQ(model.HandleHostLine("S12:346;1"), Lines{}) << "a wrong checksum";
    EXPECT_EQ(model.HandleHostLine("A"), (Lines{"I12:345;189\r\n", "I3:-7;85\r\n"}));
    EXPECT_EQ(model.HandleHostLine("C"), Lines{});
    // A write to a register it did not know adds it, in order.
    EXPECT_EQ(model.HandleHostLine("S1:0;41").size(), 1u);
    EXPECT_EQ(model.Registers(), (std::vector<std::int32_t>{12, 3, 1}));
}

// The end-to-end test ramps a register.
TEST(SimulatorAnimation, Ramps) {
    using Values = std::vector<std::pair<std::int32_t, std::int32_t>>;
    const auto ramp = ParseAnimation("ramp:5:0:100:10");
    ASSERT_TRUE(ramp.has_value());
    EXPECT_EQ(AnimationValues(*ramp, 2.5), (Values{{5, 25}}));
    EXPECT_EQ(AnimationValues(*ramp, 12.5), (Values{{5, 25}})) << "starts again each period";
    EXPECT_FALSE(ParseAnimation("ramp:5:0:100:0").has_value()) << "no period";
}

TEST(SimulatorOptions, ReadsTheCommandLine) {
    SSimulatorOptions options;
    std::string error;
    ASSERT_TRUE(
        ParseSimulatorOptions({"--config", "c.xml", "--link", "/tmp/l", "--report-interval", "250",
                               "--animate", "ramp:5:0:10:1", "--animate-interval", "100", "--demo"},
                              options, error))
        << error;
    EXPECT_EQ(options.m_configPath, "c.xml");
    EXPECT_EQ(options.m_linkPath, "/tmp/l");
    EXPECT_EQ(options.m_reportInterval.count(), 250);
    EXPECT_EQ(options.m_animateInterval.count(), 100);
    ASSERT_EQ(options.m_animations.size(), 5u) << "the ramp and the demo's four vectors";
    EXPECT_EQ(options.m_animations[4].m_registerY, 27);
}
