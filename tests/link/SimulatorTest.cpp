#include "Animation.h"
#include "ConfigFixture.h"
#include "DeviceModel.h"
#include "HostLineReader.h"
#include "SimulatorOptions.h"
#include "config/Configuration.h"
#include "link/WireProtocol.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <sstream>

TEST(SimulatorProtocol, AcceptsOnlyWellFormedWriteMessages) {
    using Write = std::pair<std::int32_t, std::int32_t>;
    EXPECT_EQ(ParseWriteRegister("S12:345;199"), Write(12, 345));
    EXPECT_EQ(ParseWriteRegister("S12:-5;141"), Write(12, -5));
    EXPECT_EQ(ParseWriteRegister("S1:0;41"), Write(1, 0));
    // A wrong checksum, a leading zero or plus sign, anything missing, swapped, too large or
    // trailing (the checksums are right where the rest is wrong).
    for (const char* line :
         {"S12:345;198", "S012:345;247", "S12:+5;139", "S12:345", "S12;345:199", "S12:345;199x",
          "S:345;100", "S99999999999:1;108", "I12:345;189", ""}) {
        EXPECT_FALSE(ParseWriteRegister(line).has_value()) << line;
    }
}

TEST(SimulatorProtocol, DeviceModelAnswersTheHost) {
    CDeviceModel model;
    model.SetValue(12, 5);
    model.SetValue(3, -7);
    using Lines = std::vector<std::string>;
    EXPECT_EQ(model.HandleHostLine("S12:345;199"), Lines{"B12:345;182\r\n"});
    EXPECT_EQ(model.GetValue(12), 345);
    EXPECT_EQ(model.HandleHostLine("S12:345;1"), Lines{});
    EXPECT_EQ(model.GetValue(12), 345);
    EXPECT_EQ(model.HandleHostLine("A"), (Lines{"I12:345;189\r\n", "I3:-7;85\r\n"}));
    EXPECT_EQ(model.HandleHostLine("C"), Lines{});
    // A write to a register it did not know adds it, in order.
    EXPECT_EQ(model.HandleHostLine("S1:0;41").size(), 1u);
    EXPECT_EQ(model.Registers(), (std::vector<std::int32_t>{12, 3, 1}));
    EXPECT_EQ(model.ReportLine(99), "");

    // What the program sums up on exit; "A" and "C" are no rejected lines.
    EXPECT_EQ(model.Counts().m_writes, 2u);
    EXPECT_EQ(model.Counts().m_acknowledged, 2u);
    EXPECT_EQ(model.Counts().m_rejected, 1u);
}

TEST(SimulatorProtocol, DropsEveryNthAcknowledgementButStoresTheValue) {
    CDeviceModel model;
    model.SetDropEvery(3);
    std::vector<std::size_t> answers;
    for (int i = 1; i <= 6; ++i) {
        answers.push_back(model.HandleHostLine(BuildRegisterLine('S', 4, i)).size());
        EXPECT_EQ(model.GetValue(4), i);
    }
    EXPECT_EQ(answers, (std::vector<std::size_t>{1, 1, 0, 1, 1, 0}));
}

TEST(SimulatorProtocol, LoadsRegistersFromTheConfiguration) {
    const CConfigFixture fixture(MakeConfigXml(
        "<P Id=\"7\" Value=\"3\"/><P Id=\"2\" Value=\"-4\"/><P Id=\"7\" Value=\"9\"/>"));
    CDeviceModel model;
    model.LoadFrom(fixture.Config());
    EXPECT_EQ(model.Registers(), (std::vector<std::int32_t>{7, 2}));
    EXPECT_EQ(model.GetValue(7), 3);
    EXPECT_EQ(model.GetValue(2), -4);
}

TEST(SimulatorProtocol, HostLinesEndAtLineFeedsAndOverlongOnesAreSkipped) {
    CHostLineReader reader;
    std::vector<std::string> lines;
    const std::string input =
        "S1:0;41\nA\r\n\n" + std::string(150, 'x') + "\nC\n" + std::string(100, 'y') + "\n";
    for (const char c : input) {
        if (auto line = reader.Feed(c)) {
            lines.push_back(*line);
        }
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"S1:0;41", "A", "C", std::string(100, 'y')}));
}

TEST(SimulatorAnimation, ParsesSpecifications) {
    for (const char* text : {"ramp:5:0:100:10", "sine:5:50:20:2.5", "sine:5:50:20:2.5:90",
                             "vector:20:21:100:6", "vector:20:21:100:6:-120"}) {
        EXPECT_TRUE(ParseAnimation(text).has_value()) << text;
    }
    for (const char* text :
         {"ramp:5:0:100", "ramp:5:0:100:0", "ramp:5:0:100:-1", "ramp:x:0:100:1", "sine:5:1,5:2:1",
          "spin:5:0:1:1", "vector:20:100:6", "", "ramp:5:0:100:10:7"}) {
        EXPECT_FALSE(ParseAnimation(text).has_value()) << text;
    }
}

TEST(SimulatorAnimation, MovesRegistersOverTime) {
    using Values = std::vector<std::pair<std::int32_t, std::int32_t>>;
    const SAnimation ramp = *ParseAnimation("ramp:5:0:100:10");
    EXPECT_EQ(AnimationValues(ramp, 0.0), (Values{{5, 0}}));
    EXPECT_EQ(AnimationValues(ramp, 2.5), (Values{{5, 25}}));
    EXPECT_EQ(AnimationValues(ramp, 12.5), (Values{{5, 25}})) << "starts again each period";

    const SAnimation sine = *ParseAnimation("sine:6:50:20:4");
    EXPECT_EQ(AnimationValues(sine, 1.0), (Values{{6, 70}}));
    EXPECT_EQ(AnimationValues(sine, 3.0), (Values{{6, 30}}));
    // Fractions in every field, and a phase.
    const SAnimation shifted = *ParseAnimation("sine:6:-2.5:20.5:2.5:90");
    EXPECT_EQ(AnimationValues(shifted, 0.0), (Values{{6, 18}}));
    EXPECT_EQ(AnimationValues(shifted, 1.25), (Values{{6, -23}}));

    const SAnimation vector = *ParseAnimation("vector:20:21:100:8:90");
    EXPECT_EQ(AnimationValues(vector, 0.0), (Values{{20, 0}, {21, 100}}));
    EXPECT_EQ(AnimationValues(vector, 2.0), (Values{{20, -100}, {21, 0}}));
    for (double t = 0.0; t < 8.0; t += 0.37) {
        const auto values = AnimationValues(vector, t);
        const double length = std::hypot(values[0].second, values[1].second);
        EXPECT_NEAR(length, 100.0, 1.5) << t;
    }
}

TEST(SimulatorOptions, ReadsTheCommandLine) {
    SSimulatorOptions options;
    std::string error;
    std::istringstream words("--config c.xml --link /tmp/l --baud 0 --report-interval 250 "
                             "--ack-delay 40 --drop-acks 2 --garbage 30 --silent --animate "
                             "ramp:5:0:10:1 --demo --seed 7");
    const std::vector<std::string> arguments{std::istream_iterator<std::string>(words), {}};
    ASSERT_TRUE(ParseSimulatorOptions(arguments, options, error)) << error;
    EXPECT_EQ(options.m_configPath, "c.xml");
    EXPECT_EQ(options.m_linkPath, "/tmp/l");
    EXPECT_EQ(options.m_baud, 0u);
    EXPECT_EQ(options.m_reportInterval.count(), 250);
    EXPECT_EQ(options.m_acknowledgeDelay.count(), 40);
    EXPECT_EQ(options.m_dropEvery, 2u);
    EXPECT_EQ(options.m_garbageInterval.count(), 30);
    EXPECT_TRUE(options.m_silent);
    EXPECT_EQ(options.m_animations.size(), 5u);
    EXPECT_EQ(options.m_seed, 7u);

    const SSimulatorOptions defaults;
    EXPECT_EQ(defaults.m_baud, 9600u);
    EXPECT_EQ(defaults.m_reportInterval.count(), 1000);

    const std::vector<std::vector<std::string>> bad = {
        {"--baud"},          {"--baud", "fast"},          {"--baud", "-1"},
        {"--animate", "x"},  {"--frobnicate", "1"},       {"stray"},
        {"--ack-delay", ""}, {"--animate-interval", "0"},
    };
    for (const auto& badArguments : bad) {
        SSimulatorOptions ignored;
        error.clear();
        EXPECT_FALSE(ParseSimulatorOptions(badArguments, ignored, error)) << badArguments[0];
        EXPECT_FALSE(error.empty());
    }
}
