#include "link/PortProblem.h"
#include "PtyDevice.h"
#include "TempDir.h"
#include "link/PosixSerialTransport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <unistd.h>

namespace {

SPortFacts Facts(std::string portName, std::string device, bool fromPortMap = false) {
    SPortFacts facts;
    facts.m_portName = std::move(portName);
    facts.m_device = std::move(device);
    facts.m_fromPortMap = fromPortMap;
    return facts;
}

} // namespace

TEST(PortProblem, EachErrorExplainsWhatToDo) {
    SPortFacts notInGroup = Facts("COM3:", "/dev/ttyUSB0", true);
    notInGroup.m_deviceGroup = "dialout";
    notInGroup.m_userGroups = {"operator", "plugdev"};
    SPortFacts inGroup = notInGroup;
    inGroup.m_userGroups.push_back("dialout");
    SPortFacts held = Facts("COM3:", "/dev/ttyUSB0");
    held.m_holders = {"minicom (process 812)", "screen (process 90)"};
    SPortFacts others = Facts("COM2:", "/dev/ttyS1");
    others.m_serialDevices = {"/dev/serial/by-id/usb-FTDI_FT232R-if00-port0", "/dev/ttyUSB1"};
    const struct {
        int m_error;
        SPortFacts m_facts;
        std::string m_hint;
    } cases[] = {
        {EACCES, notInGroup,
         "/dev/ttyUSB0 belongs to the group \"dialout\", and you are not in it. Add yourself "
         "with\n    sudo usermod -aG dialout $USER\nand log in again."},
        {EPERM, inGroup,
         "/dev/ttyUSB0 belongs to the group \"dialout\", and you are in it. If you were added "
         "only recently, log in again."},
        {EACCES, Facts("COM3:", "/dev/ttyUSB0"),
         "You may not open /dev/ttyUSB0. See \"Serial port access\" in the README."},
        {EBUSY, held,
         "Another program holds /dev/ttyUSB0: minicom (process 812), screen (process 90). "
         "Close it and connect again."},
        {EBUSY, Facts("COM3:", "/dev/ttyUSB0"),
         "Another program holds /dev/ttyUSB0. Close it; \"fuser -v /dev/ttyUSB0\" names it."},
        {ENOENT, others,
         "COM2: is /dev/ttyS1, which does not exist. Serial devices present now:\n"
         "    /dev/serial/by-id/usb-FTDI_FT232R-if00-port0\n    /dev/ttyUSB1"},
        {ENODEV, Facts("COM3:", "/dev/ttyUSB0", true),
         "COM3: is /dev/ttyUSB0 (ports.map), which does not exist. No serial device is present "
         "now; is the adapter plugged in?"},
        {ENOENT, Facts("/dev/ttyACM0", "/dev/ttyACM0"),
         "There is no device /dev/ttyACM0. No serial device is present now; is the adapter "
         "plugged in?"},
        {ENOENT, Facts("COM0:", ""),
         "COM0: names no device: it is neither in ports.map nor a COMn: name. No serial device "
         "is present now; is the adapter plugged in?"},
        {EIO, others, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PortProblemHint(c.m_error, c.m_facts), c.m_hint) << c.m_error;
    }
    // The box keeps the system's text and adds the hint.
    EXPECT_EQ(PortProblemText(EACCES, notInGroup), "Permission denied\n\n" + cases[0].m_hint);
    EXPECT_EQ(PortProblemText(EIO, others), "Input/output error");
}

TEST(PortProblem, FactsComeFromTheMachine) {
    const CTempDir dev;
    std::filesystem::create_directories(dev.Path() + "serial/by-id");
    for (const char* name : {"serial/by-id/usb-b", "serial/by-id/usb-a", "ttyUSB1", "ttyACM0",
                             "ttyUSB0", "ttyS0", "null"}) {
        dev.Write(name, "");
    }
    EXPECT_EQ(ListSerialDevices(dev.Path()),
              (std::vector<std::string>{dev.Path() + "serial/by-id/usb-a",
                                        dev.Path() + "serial/by-id/usb-b", dev.Path() + "ttyACM0",
                                        dev.Path() + "ttyUSB0", dev.Path() + "ttyUSB1"}));

    // A terminal held by this very process, through a symbolic link to it.
    const CPtyDevice device;
    CPosixSerialTransport holder;
    ASSERT_EQ(holder.Open(device.SlavePath()), 0);
    const std::string name = dev.Path() + "by-name";
    std::filesystem::create_symlink(device.SlavePath(), name);
    const SPortFacts facts = GatherPortFacts("COM4:", name, true, dev.Path());
    EXPECT_EQ(facts.m_device, name);
    EXPECT_EQ(facts.m_serialDevices.size(), 5u);
    const std::string self = "link_tests (process " + std::to_string(getpid()) + ")";
    EXPECT_EQ(facts.m_holders, std::vector<std::string>{self});
    EXPECT_FALSE(facts.m_deviceGroup.empty()) << "a terminal has a group";
    EXPECT_FALSE(facts.m_userGroups.empty());
}
