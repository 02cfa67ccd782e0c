#include "Animation.h"
#include "DeviceModel.h"
#include "HostLineReader.h"
#include "SimulatorOptions.h"
#include "TempDir.h"
#include "config/Configuration.h"
#include "link/WireProtocol.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(SimulatorProtocol, AcceptsOnlyWellFormedWriteMessages) {
    const struct {
        const char* m_line;
        bool m_valid;
        std::int32_t m_register;
        std::int32_t m_value;
    } cases[] = {
        {"S12:345;199", true, 12, 345}, {"S12:-5;141", true, 12, -5},
        {"S1:0;41", true, 1, 0},        {"S12:345;198", false, 0, 0}, // wrong checksum
        {"S012:345;247", false, 0, 0},                                // leading zero
        {"S12:+5;", false, 0, 0},       {"S12:345", false, 0, 0},
        {"S12;345:199", false, 0, 0},   {"S12:345;199x", false, 0, 0},
        {"S:345;141", false, 0, 0},     {"S99999999999:1;0", false, 0, 0},
        {"I12:345;189", false, 0, 0},   {"", false, 0, 0},
    };
    for (const auto& c : cases) {
        const auto write = ParseWriteRegister(c.m_line);
        ASSERT_EQ(write.has_value(), c.m_valid) << c.m_line;
        if (c.m_valid) {
            EXPECT_EQ(write->first, c.m_register) << c.m_line;
            EXPECT_EQ(write->second, c.m_value) << c.m_line;
        }
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

    const CDeviceModel::SCounts& counts = model.Counts();
    EXPECT_EQ(counts.m_writes, 2u);
    EXPECT_EQ(counts.m_acknowledged, 2u);
    EXPECT_EQ(counts.m_rejected, 1u);
    EXPECT_EQ(counts.m_reportRequests, 1u);
    EXPECT_EQ(counts.m_keepAlives, 1u);
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
    const CTempDir dir;
    const std::string path =
        dir.Write("config.xml", "<ROOT><PARAMETER><P Id=\"7\" Value=\"3\"/><P Id=\"2\" "
                                "Value=\"-4\"/><P Id=\"7\" Value=\"9\"/></PARAMETER></ROOT>");
    const auto configuration = CConfiguration::LoadFile(path);
    ASSERT_NE(configuration, nullptr);
    CDeviceModel model;
    model.LoadFrom(*configuration);
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
    const struct {
        const char* m_text;
        bool m_valid;
    } cases[] = {
        {"ramp:5:0:100:10", true},
        {"sine:5:50:20:2.5", true},
        {"sine:5:50:20:2.5:90", true},
        {"vector:20:21:100:6", true},
        {"vector:20:21:100:6:-120", true},
        {"ramp:5:0:100", false},
        {"ramp:5:0:100:0", false},
        {"ramp:5:0:100:-1", false},
        {"ramp:x:0:100:1", false},
        {"sine:5:1,5:2:1", false},
        {"spin:5:0:1:1", false},
        {"vector:20:100:6", false},
        {"", false},
        {"ramp:5:0:100:10:7", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseAnimation(c.m_text).has_value(), c.m_valid) << c.m_text;
    }
    const auto sine = ParseAnimation("sine:5:-2.5:20:2.5:90");
    ASSERT_TRUE(sine);
    EXPECT_EQ(sine->m_from, -2.5);
    EXPECT_EQ(sine->m_periodSeconds, 2.5);
    EXPECT_EQ(sine->m_phaseDegrees, 90.0);
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

    const SAnimation vector = *ParseAnimation("vector:20:21:100:8:90");
    EXPECT_EQ(AnimationValues(vector, 0.0), (Values{{20, 0}, {21, 100}}));
    EXPECT_EQ(AnimationValues(vector, 2.0), (Values{{20, -100}, {21, 0}}));
    for (double t = 0.0; t < 8.0; t += 0.37) {
        const auto values = AnimationValues(vector, t);
        const double length = std::hypot(values[0].second, values[1].second);
        EXPECT_NEAR(length, 100.0, 1.5) << t;
    }

    std::vector<std::int32_t> registers;
    for (const SAnimation& animation : DemoAnimations()) {
        for (const auto& value : AnimationValues(animation, 1.0)) {
            registers.push_back(value.first);
        }
    }
    EXPECT_EQ(registers, (std::vector<std::int32_t>{20, 21, 22, 23, 24, 25, 26, 27}));
}

TEST(SimulatorOptions, ReadsTheCommandLine) {
    SSimulatorOptions options;
    std::string error;
    ASSERT_TRUE(ParseSimulatorOptions({"--config",
                                       "c.xml",
                                       "--link",
                                       "/tmp/l",
                                       "--baud",
                                       "0",
                                       "--report-interval",
                                       "250",
                                       "--ack-delay",
                                       "40",
                                       "--drop-acks",
                                       "2",
                                       "--garbage",
                                       "30",
                                       "--silent",
                                       "--animate",
                                       "ramp:5:0:10:1",
                                       "--demo",
                                       "--seed",
                                       "7"},
                                      options, error))
        << error;
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
    for (const auto& arguments : bad) {
        SSimulatorOptions ignored;
        error.clear();
        EXPECT_FALSE(ParseSimulatorOptions(arguments, ignored, error)) << arguments[0];
        EXPECT_FALSE(error.empty());
    }
}
