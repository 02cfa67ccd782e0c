#include "link/SerialLink.h"
#include "FunctionListener.h"
#include "LinkFixture.h"
#include "PtyDevice.h"
#include "TempDir.h"
#include "link/PosixSerialTransport.h"

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <future>
#include <optional>
#include <regex>
#include <sstream>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

using namespace std::chrono_literals;
using std::chrono::milliseconds;
using std::chrono::steady_clock;

namespace {

std::ptrdiff_t CountEntries(const char* folder) {
    return std::distance(std::filesystem::directory_iterator(folder), {});
}

// The link against the device's end of a pseudo-terminal, which the test plays byte by byte.
class SerialLinkTest : public CLinkTest {
protected:
    // A change made on the user-interface thread, which blocks until the acknowledgement.
    std::future<milliseconds> UpdateAsync(std::int32_t registerNumber, double value,
                                          std::int32_t source = SOURCE_PANEL) {
        return std::async(std::launch::async, [this, registerNumber, value, source] {
            return Elapsed([&] { Update(registerNumber, value, source); });
        });
    }

    CPtyDevice m_device;
};

} // namespace

TEST_F(SerialLinkTest, OnlySendableChangesGoOutByteExactAndReturnOnTheAcknowledgement) {
    CSerialLink link(m_device.SlavePath(), FastTiming());
    ASSERT_TRUE(link.IsPortOpen());
    EXPECT_LT(Elapsed([&] {
                  Update(12, 3, SOURCE_DEVICE);
                  Update(14, 3); // not SendSerial
                  Update(77, 3); // not declared
                  for (const double value : {1.0, 2.0, 3.0, 0.0, 1.0}) {
                      Update(999, value, SOURCE_MAIN_WINDOW);
                  }
              }),
              250ms)
        << "nothing to wait for";
    EXPECT_EQ(link.GetPendingRegister(), CSerialLink::NO_REGISTER);
    // The first bytes the device sees are the link commands' requests.
    EXPECT_EQ(m_device.Receive(6), "A\nC\nA\n");
    const struct {
        std::int32_t m_register;
        double m_value;
        std::int32_t m_source;
        const char* m_message;
        const char* m_acknowledgement;
    } cases[] = {{12, 345, SOURCE_PANEL, "S12:345;199\n", "B12:345;182\r\n"},
                 {13, 2000, SOURCE_PARAMETER_SET, "S13:1000;237\n", "B13:1000;0\r"}}; // clamped
    for (const auto& c : cases) {
        // A report first: the reader notifies the store while this write's listener call is
        // still waiting, which works only if no lock is held across listener calls.
        auto done = UpdateAsync(c.m_register, c.m_value, c.m_source);
        EXPECT_EQ(m_device.ReceiveLine(), c.m_message);
        EXPECT_EQ(link.GetPendingRegister(), c.m_register);
        m_device.Send(std::string("I5 1\n") + c.m_acknowledgement);
        ASSERT_EQ(done.wait_for(3s), std::future_status::ready) << "still waiting";
        EXPECT_EQ(link.GetPendingRegister(), CSerialLink::NO_REGISTER);
    }
    EXPECT_TRUE(m_messages.Messages().empty());
}

TEST_F(SerialLinkTest, DeviceLinesAreAssembledAcrossReadsAndReachTheStore) {
    CSerialLink link(m_device.SlavePath(), FastTiming());
    EXPECT_FALSE(Config().IsLinkAlive());
    // Numbers that mean nothing update nothing, yet show that the device is there.
    m_device.Send("Ixyz\r\n");
    ASSERT_TRUE(WaitUntil([&] { return Config().IsLinkAlive(); }));
    EXPECT_TRUE(m_listener.Seen().empty());
    m_clock.Advance(10);
    ASSERT_FALSE(Config().IsLinkAlive());

    m_device.Send("I12:3");
    std::this_thread::sleep_for(60ms); // several read passes go by with half a line
    EXPECT_TRUE(m_listener.Seen().empty());
    m_device.Send("45;199\r\nI5 77\n");
    ASSERT_TRUE(WaitUntil([&] { return !m_listener.SeenFor(5).empty(); }));
    EXPECT_EQ(m_listener.Take(SOURCE_DEVICE), (Writes{{12, 345}, {5, 77}}));
    EXPECT_TRUE(Config().IsLinkAlive());
    // Device reports are never echoed back to the device.
    EXPECT_EQ(m_device.Receive(1, 100ms), "");
}

TEST_F(SerialLinkTest, WithoutItsAcknowledgementTheWaitTimesOutOnce) {
    CSerialLink link(m_device.SlavePath(), FastTiming(300ms));
    auto done = UpdateAsync(12, 7);
    EXPECT_EQ(m_device.ReceiveLine(), "S12:7;98\n");
    // Neither a "BO" line nor another register's acknowledgement ends the wait.
    m_device.Send("BOOT\r\nBO12:7;0\r\nB13:7;0\r\n");
    EXPECT_GE(done.get(), 300ms);
    const CFakeMessageService::SMessage timeout{"Timeout while sending parameters!", "Error!",
                                                EMessageIcon::Error};
    EXPECT_EQ(m_messages.Messages(), CFakeMessageService::MessageList{timeout});
    // The value stays in the store and the register stays pending until its acknowledgement.
    EXPECT_EQ(Config().FindParameter(12)->GetValue(), 7);
    EXPECT_EQ(link.GetPendingRegister(), 12);
    m_device.Send("B12:7;0\n");
    EXPECT_TRUE(WaitUntil([&] { return link.GetPendingRegister() == CSerialLink::NO_REGISTER; }));
    EXPECT_EQ(m_messages.Messages().size(), 1u);
}

TEST_F(SerialLinkTest, LostPortIsClosedAtOnceAndOpenedAgainThroughItsNameResolvedAfresh) {
    // The name is a symbolic link, as /dev/serial/by-id names are: the device comes back as
    // another terminal.
    const std::string name = m_fixture.Dir().Path() + "device";
    std::filesystem::create_symlink(m_device.SlavePath(), name);
    SSerialLinkTiming timing = FastTiming();
    timing.m_reconnectInterval = 30ms;
    const std::string logFolder = m_fixture.Dir().Path() + "log";
    auto owned = std::make_unique<CSerialLink>(name, timing, logFolder);
    CSerialLink& link = *owned;
    m_device.Send("I5 1\n");
    ASSERT_TRUE(WaitUntil([&] { return Config().FindParameter(5)->GetValue() == 1; }));
    ASSERT_TRUE(Config().IsLinkAlive());

    // A write waiting for its acknowledgement when the port goes stops waiting, without a box.
    // While the device is away its name leads nowhere, as a terminal's number may go to
    // another program's terminal.
    auto inFlight = UpdateAsync(12, 6);
    EXPECT_EQ(m_device.ReceiveLine(), "S12:6;97\n");
    std::filesystem::remove(name);
    m_device.HangUp();
    EXPECT_LT(inFlight.get(), 2s) << "the acknowledgement time-out is 5 s";
    EXPECT_FALSE(link.IsPortOpen());
    EXPECT_TRUE(link.AreChangesLost());
    EXPECT_FALSE(Config().IsLinkAlive()) << "the device is gone, whatever the clock says";
    // A change while the port is down neither waits nor is kept for later; the store keeps it.
    EXPECT_LT(Elapsed([&] { Update(12, 7); }), 250ms);
    EXPECT_EQ(Config().FindParameter(12)->GetValue(), 7);
    EXPECT_EQ(link.GetPendingRegister(), 12) << "not acknowledged";

    const CPtyDevice returned;
    std::filesystem::create_symlink(returned.SlavePath(), name);
    ASSERT_TRUE(WaitUntil([&] { return link.IsPortOpen(); }));
    EXPECT_EQ(link.GetReconnectCount(), 1u);
    EXPECT_FALSE(link.AreChangesLost());
    returned.Send("I5 2\n");
    ASSERT_TRUE(WaitUntil([&] { return Config().IsLinkAlive(); }));
    // The first bytes on the new port are the next change's: the one made while down is gone.
    auto done = UpdateAsync(13, 8);
    EXPECT_EQ(returned.ReceiveLine(), "S13:8;100\n");
    returned.Send("B13:8;0\r\n");
    EXPECT_EQ(done.wait_for(3s), std::future_status::ready);
    EXPECT_TRUE(m_messages.Messages().empty()) << "no box for an outage";

    // The connection's log: the bytes as on the wire, one line per outage and its end.
    owned.reset();
    const auto files = std::vector<std::filesystem::path>(
        std::filesystem::directory_iterator(logFolder), std::filesystem::directory_iterator());
    ASSERT_EQ(files.size(), 1u);
    std::istringstream log(ReadAll(files[0].string()));
    const std::regex stamp(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3} )");
    std::vector<std::string> lines;
    for (std::string line; std::getline(log, line);) {
        EXPECT_TRUE(std::regex_search(line, stamp)) << line;
        // The acknowledgement carries the write's wait.
        lines.push_back(std::regex_replace(std::regex_replace(line, stamp, ""),
                                           std::regex(R"(^(RX B.*) \d+ ms$)"), "$1 N ms"));
    }
    const std::string where = name + " (" + name + ")";
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "-- connected to " + where, "RX I5 1\\n", "TX S12:6;97\\n",
                         "-- port lost: " + where + "; retrying every 30 ms",
                         "-- changes are not reaching the device: the port is down",
                         "-- port open again: " + where, "RX I5 2\\n", "TX S13:8;100\\n",
                         "RX B13:8;0\\r\\n N ms", "-- disconnected"}))
        << log.str();
}

TEST_F(SerialLinkTest, WriteFromInsideADeviceReportDoesNotStallTheReader) {
    // A listener that answers a report of 5 by changing 12 does so on the reader thread, the
    // only one that could see the acknowledgement.
    CFunctionListener answering([this](CRegisterValue& value) {
        if (value.GetRegister() == 5 && value.GetSource() == SOURCE_DEVICE) {
            Update(12, value.GetValue() * 10);
        }
    });
    {
        const CSerialLink link(m_device.SlavePath(), FastTiming());
        Config().AddListener(&answering);
        m_device.Send("I5 4\n");
        EXPECT_EQ(m_device.ReceiveLine(), "S12:40;143\n");
        // The next report is handled at once, far within the acknowledgement time-out.
        m_device.Send("I14 6\n");
        EXPECT_TRUE(WaitUntil([&] { return Config().FindParameter(14)->GetValue() == 6; }, 2s));
        Config().RemoveListener(&answering);
    }
    EXPECT_TRUE(m_messages.Messages().empty());
}

TEST_F(SerialLinkTest, ReaderSendsKeepAliveOnEveryTwelfthPass) {
    SSerialLinkTiming timing = FastTiming();
    timing.m_readTimeout = 10ms;
    timing.m_idlePause = 0ms;
    timing.m_keepAlivePasses = 12;
    const auto start = steady_clock::now();
    const CSerialLink link(m_device.SlavePath(), timing);
    EXPECT_EQ(m_device.Receive(6), "C\nC\nC\n");
    // Three keep-alives take at least 36 passes of at least 10 ms each.
    EXPECT_GE(steady_clock::now() - start, 360ms);
}

TEST_F(SerialLinkTest, PortThatCannotBeOpenedIsReportedOnceRetriedAndLeftAtOnce) {
    const struct {
        const char* m_portName;
        milliseconds m_reconnectInterval;
    } cases[] = {{"/nonexistent/ttyX", 5ms}, {"COM0:", std::chrono::hours(1)}};
    for (const auto& c : cases) {
        SSerialLinkTiming timing = FastTiming(300ms);
        timing.m_reconnectInterval = c.m_reconnectInterval;
        auto link = std::make_unique<CSerialLink>(c.m_portName, timing);
        EXPECT_FALSE(link->IsPortOpen());
        EXPECT_TRUE(link->IsReaderRunning()) << "retrying";
        EXPECT_LT(Elapsed([&] { Update(12, 5); }), 250ms);
        EXPECT_TRUE(link->AreChangesLost());
        std::this_thread::sleep_for(50ms); // several attempts at 5 ms
        EXPECT_LT(Elapsed([&] { link.reset(); }), 250ms) << c.m_portName;
    }
    // The system's text and what to do about it.
    const auto messages = m_messages.Messages();
    ASSERT_EQ(messages.size(), 2u) << "one box per Connect, none per attempt";
    const std::string hints[] = {"There is no device /nonexistent/ttyX.", "COM0: names no device"};
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(messages[i].m_caption, "Message");
        EXPECT_EQ(messages[i].m_icon, EMessageIcon::Information);
        EXPECT_EQ(messages[i].m_text.rfind("No such file or directory\n\n" + hints[i], 0), 0u)
            << messages[i].m_text;
    }
}

TEST_F(SerialLinkTest, HoldsThePortExclusivelyWithTheDeviceLineSettings) {
    // A descriptor of our own, opened before the link takes the port exclusively.
    const int slave = open(m_device.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(slave, 0);
    termios settings{};
    ASSERT_EQ(tcgetattr(slave, &settings), 0);
    settings.c_lflag |= ICANON | ECHO;
    settings.c_iflag |= IXON | IXOFF;
    settings.c_cflag |= PARENB | CSTOPB;
    cfsetospeed(&settings, B115200);
    ASSERT_EQ(tcsetattr(slave, TCSANOW, &settings), 0);

    auto link = std::make_unique<CSerialLink>(m_device.SlavePath(), FastTiming());
    ASSERT_TRUE(link->IsPortOpen());
    ASSERT_EQ(tcgetattr(slave, &settings), 0);
    EXPECT_EQ(cfgetospeed(&settings), static_cast<speed_t>(B9600));
    EXPECT_EQ(cfgetispeed(&settings), static_cast<speed_t>(B9600));
    EXPECT_EQ(settings.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), static_cast<tcflag_t>(CS8));
    EXPECT_EQ(settings.c_iflag & (IXON | IXOFF | IXANY), 0u);
    EXPECT_EQ(settings.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(settings.c_oflag & OPOST, 0u);

    int exclusive = 0;
    ASSERT_EQ(ioctl(slave, TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 1);
    CPosixSerialTransport second;
    EXPECT_EQ(second.Open(m_device.SlavePath()), EBUSY);
    link.reset();
    ASSERT_EQ(ioctl(slave, TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 0);
    EXPECT_EQ(second.Open(m_device.SlavePath()), 0);
    close(slave);
}

TEST_F(SerialLinkTest, DisconnectedLinksLeaveNoListenerBehind) {
    // Every link keeps its storage to the end, so a listener left behind is a dead link, not
    // freed memory. Nine slots are free: a link left in the table would fill it by the tenth.
    std::array<std::optional<CSerialLink>, 12> links;
    for (auto& link : links) {
        link.emplace(m_device.SlavePath(), FastTiming());
        ASSERT_TRUE(link->IsPortOpen());
        if (&link != &links.back()) {
            link.reset();
        }
    }
    auto done = UpdateAsync(12, 6);
    EXPECT_EQ(m_device.ReceiveLine(), "S12:6;97\n");
    m_device.Send("B12:6;0\r\n");
    EXPECT_EQ(done.wait_for(3s), std::future_status::ready);
}

TEST_F(SerialLinkTest, ConnectCyclesAndOutagesLeaveNoDescriptorsOrThreadsBehind) {
    SSerialLinkTiming timing = FastTiming();
    timing.m_readTimeout = 5ms;
    timing.m_idlePause = 0ms;
    timing.m_reconnectInterval = 2ms;
    const std::string name = m_fixture.Dir().Path() + "device";
    // Connect, a report and an outage; on even cycles the device returns, reports and goes
    // again. Every cycle ends with Unconnect while the link retries. While the device is away
    // its name leads nowhere, as a terminal's number may go to another program's terminal.
    int reported = 0;
    const auto cycle = [&](int number) {
        auto device = std::make_unique<CPtyDevice>();
        std::filesystem::create_symlink(device->SlavePath(), name);
        const CSerialLink link(name, timing);
        const int outages = 2 - number % 2;
        for (int outage = 1; outage <= outages; ++outage) {
            ASSERT_TRUE(WaitUntil([&] { return link.IsPortOpen(); })) << number;
            // Let the reader do real work before the port goes.
            device->Send("I5 " + std::to_string(++reported) + "\n");
            ASSERT_TRUE(
                WaitUntil([&] { return Config().FindParameter(5)->GetValue() == reported; }));
            std::filesystem::remove(name);
            device.reset();
            ASSERT_TRUE(WaitUntil([&] { return !link.IsPortOpen(); })) << number;
            if (outage < outages) {
                device = std::make_unique<CPtyDevice>();
                std::filesystem::create_symlink(device->SlavePath(), name);
            }
        }
    };
    // One cycle first: runtimes start helper threads of their own with the first thread
    // (ThreadSanitizer does), and those are not ours to count.
    cycle(0);
    const auto descriptors = CountEntries("/proc/self/fd");
    const auto threads = CountEntries("/proc/self/task");
    for (int number = 1; number <= 100; ++number) {
        cycle(number);
    }
    // A joined thread can stay listed for a moment on a busy machine, so the counts are taken
    // once they are back or the bound is up; a leak keeps them up for good.
    WaitUntil([&] {
        return CountEntries("/proc/self/fd") == descriptors &&
               CountEntries("/proc/self/task") == threads;
    });
    EXPECT_EQ(CountEntries("/proc/self/fd"), descriptors);
    EXPECT_EQ(CountEntries("/proc/self/task"), threads);
}

TEST(SerialLinkTiming, DefaultsAreTheDevicesOwn) {
    const SSerialLinkTiming timing;
    EXPECT_EQ(timing.m_readTimeout, 200ms);
    EXPECT_EQ(timing.m_idlePause, 100ms);
    EXPECT_EQ(timing.m_acknowledgeTimeout, 3100ms);
    EXPECT_EQ(timing.m_closePause, 1000ms);
    EXPECT_EQ(timing.m_keepAlivePasses, 12u);
    EXPECT_EQ(timing.m_reconnectInterval, 1000ms);
}
