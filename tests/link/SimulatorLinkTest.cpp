#include "LinkFixture.h"
#include "SimulatorThread.h"
#include "link/SerialLink.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

// The link against the simulated device, built from the same configuration as the store.
class SimulatorLinkTest : public CLinkTest {
protected:
    SimulatorLinkTest() { m_model.LoadFrom(Config()); }

    // A device that reports only when asked.
    static SSimulatorOptions Options() {
        SSimulatorOptions options;
        options.m_reportInterval = 0ms;
        return options;
    }

    CDeviceModel m_model;
};

} // namespace

// Writes acknowledged and reports on request through the simulated device are the
// commissioning tests'; here its slow, forgetful, silent and garbling modes.
TEST_F(SimulatorLinkTest, SlowForgetfulOrSilentDevice) {
    SSimulatorOptions options = Options();
    options.m_acknowledgeDelay = 200ms;
    options.m_dropEvery = 3;
    CSimulatorThread device(m_model, options);
    const CSerialLink link(device.SlavePath(), FastTiming(800ms));
    // A late acknowledgement ends the wait when it comes, silently.
    const auto waited = Elapsed([&] { Update(12, 1); });
    EXPECT_GE(waited, 200ms);
    EXPECT_LT(waited, 700ms);
    Update(12, 2);
    EXPECT_TRUE(m_messages.Messages().empty());
    Update(12, 3); // its acknowledgement is dropped
    EXPECT_EQ(m_messages.Messages().size(), 1u);
    device.SetSilent(true);
    Update(13, 1);
    EXPECT_EQ(m_messages.Messages().size(), 2u);
    device.SetSilent(false);
    Update(13, 2);
    EXPECT_EQ(m_messages.Messages().size(), 2u);
}

TEST_F(SimulatorLinkTest, GarbageFromTheDeviceDisturbsNothing) {
    SSimulatorOptions options = Options();
    options.m_garbageInterval = 5ms;
    options.m_reportInterval = 50ms;
    CSimulatorThread device(m_model, options);
    {
        const CSerialLink link(device.SlavePath(), FastTiming());
        for (int i = 0; i < 15; ++i) {
            Update(12, i);
        }
        ASSERT_TRUE(WaitUntil([&] { return !m_listener.SeenFor(14, SOURCE_DEVICE).empty(); }));
    }
    EXPECT_TRUE(m_messages.Messages().empty());
    // Every report that came through is one the device made: its initial values, and for 12
    // one of those written.
    for (const auto& value : m_listener.Seen()) {
        const auto number = static_cast<std::int32_t>(value.GetValue());
        if (value.GetSource() != SOURCE_DEVICE) {
            continue;
        }
        if (value.GetRegister() == 12) {
            EXPECT_TRUE(number >= 0 && number <= 14) << number;
        } else {
            EXPECT_EQ(m_model.GetValue(value.GetRegister()), number) << value.GetRegister();
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
        const CSerialLink link(linkPath, FastTiming());
        ASSERT_TRUE(link.IsPortOpen());
        Update(12, 77);
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
