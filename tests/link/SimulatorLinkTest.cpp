#include "LinkFixture.h"
#include "link/SerialLink.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

// The simulator program on the store's configuration: prints its terminal, places and removes
// its link, ends on SIGTERM. The commissioning tests drive the device in-process.
using SimulatorLinkTest = CLinkTest;

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
