#include "LinkFixture.h"
#include "link/SerialLink.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

// The simulator program as the demo and the end-to-end test run it: on the store's
// configuration, behind a link that it places and removes again, ending on SIGTERM. The
// commissioning tests drive the device in-process.
using SimulatorLinkTest = CLinkTest;

TEST_F(SimulatorLinkTest, ProgramServesALinkUntilTerminated) {
    const std::string configPath = m_fixture.Dir().Path() + "config.xml";
    const std::string linkPath = m_fixture.Dir().Path() + "device";
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        execl(TARNEL_SIM_PATH, "tarnel-sim", "--config", configPath.c_str(), "--link",
              linkPath.c_str(), "--report-interval", "100", nullptr);
        _exit(127);
    }
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
    ASSERT_TRUE(WaitUntil([&] { return access(linkPath.c_str(), F_OK) == 0; }));
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
