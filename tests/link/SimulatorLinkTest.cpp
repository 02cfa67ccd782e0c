#include "ConfigFixture.h"
#include "FakeMessageService.h"
#include "RecordingListener.h"
#include "SimulatorThread.h"
#include "config/Configuration.h"
#include "link/SerialLink.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

using namespace std::chrono_literals;
using std::chrono::milliseconds;
using std::chrono::steady_clock;

namespace {

const std::string s_parameters =
    "<P Id=\"5\" Value=\"3\" Minimum=\"-1000\" Maximum=\"1000\"/>"
    "<P Id=\"12\" Value=\"0\" Minimum=\"-1000\" Maximum=\"1000\" SendSerial=\"true\"/>"
    "<P Id=\"13\" Value=\"-4\" Minimum=\"-1000\" Maximum=\"1000\" SendSerial=\"true\"/>"
    "<P Id=\"999\" Value=\"0\" SendSerial=\"true\"/>";

SSerialLinkTiming Timing(milliseconds acknowledgeTimeout = 3100ms) {
    SSerialLinkTiming timing;
    timing.m_readTimeout = 50ms;
    timing.m_idlePause = 10ms;
    timing.m_acknowledgeTimeout = acknowledgeTimeout;
    timing.m_closePause = 0ms;
    return timing;
}

SSimulatorOptions Options() {
    SSimulatorOptions options;
    options.m_reportInterval = 0ms;
    return options;
}

// The panel's side: the process-wide store from the test configuration, and the simulated
// device built from the same configuration.
class SimulatorLinkTest : public ::testing::Test {
protected:
    SimulatorLinkTest() : m_fixture(MakeConfigXml(s_parameters)) {
        m_model.LoadFrom(Config());
        Config().AddListener(&m_listener);
    }
    ~SimulatorLinkTest() override { Config().RemoveListener(&m_listener); }

    CConfiguration& Config() { return m_fixture.Config(); }
    void Send(std::int32_t registerNumber, double value) {
        CRegisterValue change(SOURCE_PANEL, registerNumber, value);
        Config().Update(change);
    }

    CConfigFixture m_fixture;
    CFakeMessageService m_messages;
    CRecordingListener m_listener;
    CDeviceModel m_model;
};

} // namespace

TEST_F(SimulatorLinkTest, WritesAreAcknowledgedAndReportsArrive) {
    SSimulatorOptions options = Options();
    options.m_reportInterval = 100ms;
    CSimulatorThread device(m_model, options);
    ASSERT_FALSE(device.SlavePath().empty());
    {
        CSerialLink link(device.SlavePath(), Timing());
        for (int i = 0; i < 10; ++i) {
            Send(12, i * 10);
            Send(13, -i);
        }
        EXPECT_TRUE(m_messages.Messages().empty());
        ASSERT_TRUE(WaitUntil([&] { return !m_listener.SeenFor(5, SOURCE_DEVICE).empty(); }));
        EXPECT_EQ(m_listener.SeenFor(5, SOURCE_DEVICE)[0].GetValue(), 3.0);
        EXPECT_TRUE(Config().IsLinkAlive());
    }
    device.Stop();
    EXPECT_EQ(device.Model().Counts().m_writes, 20u);
    EXPECT_EQ(device.Model().GetValue(12), 90);
    EXPECT_EQ(device.Model().GetValue(13), -9);
}

TEST_F(SimulatorLinkTest, ReportAllRequestReportsEveryRegister) {
    CSimulatorThread device(m_model, Options());
    const CSerialLink link(device.SlavePath(), Timing());
    Send(999, 1);
    ASSERT_TRUE(WaitUntil([&] { return !m_listener.SeenFor(999, SOURCE_DEVICE).empty(); }));
    for (const std::int32_t registerNumber : {5, 12, 13}) {
        EXPECT_EQ(m_listener.SeenFor(registerNumber, SOURCE_DEVICE).size(), 1u) << registerNumber;
    }
    EXPECT_EQ(m_listener.SeenFor(13, SOURCE_DEVICE)[0].GetValue(), -4.0);
    EXPECT_TRUE(m_messages.Messages().empty());
}

TEST_F(SimulatorLinkTest, SilentOrForgetfulDeviceMakesWritesTimeOut) {
    SSimulatorOptions options = Options();
    options.m_dropEvery = 2;
    CSimulatorThread device(m_model, options);
    const CSerialLink link(device.SlavePath(), Timing(600ms));
    Send(12, 1);
    EXPECT_TRUE(m_messages.Messages().empty());
    Send(12, 2); // dropped
    EXPECT_EQ(m_messages.Messages().size(), 1u);
    Send(12, 3);
    EXPECT_EQ(m_messages.Messages().size(), 1u);
    device.SetSilent(true);
    Send(13, 1);
    EXPECT_EQ(m_messages.Messages().size(), 2u);
    device.SetSilent(false);
    Send(13, 2);
    EXPECT_EQ(m_messages.Messages().size(), 2u);
}

TEST_F(SimulatorLinkTest, SlowAcknowledgementEndsTheWaitWhenItComes) {
    SSimulatorOptions options = Options();
    options.m_acknowledgeDelay = 400ms;
    CSimulatorThread device(m_model, options);
    const CSerialLink link(device.SlavePath(), Timing());
    const auto start = steady_clock::now();
    Send(12, 1);
    const auto waited = steady_clock::now() - start;
    EXPECT_GE(waited, 400ms);
    EXPECT_LT(waited, 3000ms);
    EXPECT_TRUE(m_messages.Messages().empty());
}

TEST_F(SimulatorLinkTest, GarbageFromTheDeviceDisturbsNothing) {
    SSimulatorOptions options = Options();
    options.m_garbageInterval = 5ms;
    options.m_reportInterval = 50ms;
    CSimulatorThread device(m_model, options);
    {
        const CSerialLink link(device.SlavePath(), Timing());
        for (int i = 0; i < 15; ++i) {
            Send(12, i);
        }
        ASSERT_TRUE(WaitUntil([&] { return m_listener.SeenFor(13, SOURCE_DEVICE).size() >= 1; }));
    }
    EXPECT_TRUE(m_messages.Messages().empty());
    for (const auto& value : m_listener.Seen()) {
        if (value.GetSource() == SOURCE_DEVICE) {
            EXPECT_TRUE(value.GetRegister() == 5 || value.GetRegister() == 12 ||
                        value.GetRegister() == 13 || value.GetRegister() == 999)
                << value.GetRegister();
        }
    }
}

// The program itself: prints its terminal, places and removes its link, ends on SIGTERM.
TEST_F(SimulatorLinkTest, ProgramServesALinkUntilTerminated) {
    const std::string configPath = m_fixture.Dir().Path() + "config.xml";
    const std::string linkPath = m_fixture.Dir().Path() + "device";
    int output[2] = {-1, -1};
    ASSERT_EQ(pipe(output), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        dup2(output[1], STDOUT_FILENO);
        close(output[0]);
        close(output[1]);
        execl(TARNEL_SIM_PATH, "tarnel-sim", "--config", configPath.c_str(), "--link",
              linkPath.c_str(), "--report-interval", "100", nullptr);
        _exit(127);
    }
    close(output[1]);
    // Whatever fails below, the program does not outlive the test.
    struct SReaper {
        pid_t m_pid;
        ~SReaper() {
            if (m_pid > 0) {
                kill(m_pid, SIGKILL);
                waitpid(m_pid, nullptr, 0);
            }
        }
    } reaper{child};
    std::string slavePath;
    char c = 0;
    while (read(output[0], &c, 1) == 1 && c != '\n') {
        slavePath += c;
    }
    close(output[0]);
    ASSERT_EQ(slavePath.rfind("/dev/pts/", 0), 0u) << slavePath;
    char target[256] = {};
    ASSERT_GT(readlink(linkPath.c_str(), target, sizeof target - 1), 0);
    EXPECT_EQ(slavePath, target);
    {
        const CSerialLink link(linkPath, Timing());
        ASSERT_TRUE(link.IsPortOpen());
        Send(12, 77);
        EXPECT_TRUE(WaitUntil([&] { return Config().IsLinkAlive(); }));
    }
    EXPECT_TRUE(m_messages.Messages().empty());
    ASSERT_EQ(kill(child, SIGTERM), 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    reaper.m_pid = 0;
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_NE(access(linkPath.c_str(), F_OK), 0) << "link removed";
}
