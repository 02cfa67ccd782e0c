#include "link/PortName.h"
#include "TempDir.h"
#include "config/ProgramDirectory.h"
#include "link/PortMap.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>
#include <vector>

TEST(PortName, PortInfGivesItsFirstWordOrTheDefault) {
    // Contents of port.inf (none: no such file) and the port name they give.
    const std::pair<std::optional<std::string>, std::string> cases[] = {
        {std::nullopt, "COM8:"},
        {"COM3:", "COM3:"},
        {"COM3: spare", "COM3:"},
        {"  \r\n\tCOM12:\n", "COM12:"},
        {"", "COM8:"},
        {" \n ", "COM8:"},
        {"/dev/ttyUSB0", "/dev/ttyUSB0"},
        {std::string(500, 'x'), std::string(99, 'x')}};
    for (const auto& [content, portName] : cases) {
        const CTempDir dir;
        if (content) {
            dir.Write("port.inf", *content);
        }
        EXPECT_EQ(ReadPortNameFile(dir.Path()), portName) << content.value_or("(none)");
    }
}

TEST(PortName, StartsAsTheDefaultAndKeepsAtMost99Characters) {
    EXPECT_EQ(GetPortName(), "COM8:");
    SetPortName(std::string(150, 'y'));
    EXPECT_EQ(GetPortName().size(), 99u);
    SetPortName(DEFAULT_PORT_NAME);
}

TEST(PortMap, ParsesEntriesCommentsAndDescriptions) {
    const auto map = ParsePortMap("# serial ports of this machine\r\n"
                                  "COM3:  /dev/ttyUSB0   FTDI adapter #2 \r\n"
                                  "\n"
                                  "   # indented comment\n"
                                  "COM4:\t/dev/ttyACM0\n"
                                  "COM5:\n" // no device: skipped
                                  "COM3: /dev/ttyUSB9 second entry\n"
                                  "SIM: pts/7");
    using Entry = std::tuple<std::string, std::string, std::string>;
    std::vector<Entry> entries;
    for (const SPortMapEntry& entry : map) {
        entries.emplace_back(entry.m_portName, entry.m_device, entry.m_description);
    }
    EXPECT_EQ(entries, (std::vector<Entry>{{"COM3:", "/dev/ttyUSB0", "FTDI adapter #2"},
                                           {"COM4:", "/dev/ttyACM0", ""},
                                           {"COM3:", "/dev/ttyUSB9", "second entry"},
                                           {"SIM:", "/dev/pts/7", ""}}));
    ASSERT_NE(FindPortMapEntry(map, "COM3:"), nullptr);
    EXPECT_EQ(FindPortMapEntry(map, "COM3:")->m_device, "/dev/ttyUSB0") << "first entry wins";
    EXPECT_EQ(FindPortMapEntry(map, "COM9:"), nullptr);
}

TEST(PortMap, ResolvesPortNames) {
    const auto map = ParsePortMap("COM3: /dev/ttyUSB0\nCOM1: /dev/ttyAMA0\nSIM: /tmp/sim\n");
    const std::pair<const char*, const char*> resolved[] = {
        {"COM3:", "/dev/ttyUSB0"},   {"COM1:", "/dev/ttyAMA0"}, {"SIM:", "/tmp/sim"},
        {"COM8:", "/dev/ttyS7"},     {"COM2:", "/dev/ttyS1"},   {"COM20:", "/dev/ttyS19"},
        {"/dev/pts/4", "/dev/pts/4"}};
    for (const auto& [portName, device] : resolved) {
        EXPECT_EQ(ResolvePortName(portName, map), device) << portName;
    }
    for (const char* portName :
         {"COM0:", "COM:", "COM3", "com3:", "COMx:", "COM99999999999999:", "", "ttyS0"}) {
        EXPECT_EQ(ResolvePortName(portName, map), "") << portName;
    }
}

TEST(PortMap, ResolvesThroughTheMapFileOfTheProgramDirectory) {
    const CTempDir dir;
    const std::string previous = GetProgramDirectory();
    SetProgramDirectory(dir.Path());
    EXPECT_EQ(ResolvePortName("COM3:"), "/dev/ttyS2");
    dir.Write("ports.map", "COM3: /dev/ttyUSB1 adapter\n");
    EXPECT_EQ(ResolvePortName("COM3:"), "/dev/ttyUSB1");
    SetProgramDirectory(previous);
}
