#include "link/PortName.h"
#include "TempDir.h"
#include "config/ProgramDirectory.h"
#include "link/PortMap.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <tuple>
#include <vector>

// No port.inf at all is the next test's.
TEST(PortName, PortInfGivesItsFirstWordOrTheDefault) {
    const std::pair<std::string, std::string> cases[] = {
        {"COM3: spare", "COM3:"},
        {"  \r\n\tCOM12:\n", "COM12:"},
        {"", "COM8:"},
        {" \n ", "COM8:"},
        {"/dev/ttyUSB0", "/dev/ttyUSB0"},
        {std::string(500, 'x'), std::string(99, 'x')}};
    for (const auto& [content, portName] : cases) {
        const CTempDir dir;
        dir.Write("port.inf", content);
        EXPECT_EQ(ReadPortNameFile(dir.Path()), portName) << content;
    }
}

// Where port.inf is read from and saved to, the program directory's or the user's own: what is
// saved is what the next start reads.
TEST(PortName, ReadAndSavedWhereTheNextStartLooks) {
    enum EUser { NO_USER_FOLDER, USER_FOLDER, USER_IS_PROGRAM };
    const struct {
        const char* m_case;
        std::optional<std::string> m_program; // port.inf there; none: no such file
        std::optional<std::string> m_user;
        bool m_programWritable;
        EUser m_userFolder;
        std::string m_read;
        const char* m_savedIn; // "program", "user" or "" (nowhere)
    } cases[] = {
        {"nothing yet", std::nullopt, std::nullopt, true, USER_FOLDER, "COM8:", "program"},
        {"the program's", "COM3:", std::nullopt, true, USER_FOLDER, "COM3:", "program"},
        {"the user's first", "COM3:", "COM4:", true, USER_FOLDER, "COM4:", "user"},
        {"read-only program directory", std::nullopt, std::nullopt, false, USER_FOLDER,
         "COM8:", "user"},
        {"the user's folder is the program directory", "COM3:", std::nullopt, true, USER_IS_PROGRAM,
         "COM3:", "program"},
        {"no user folder, nothing writable", std::nullopt, std::nullopt, false, NO_USER_FOLDER,
         "COM8:", ""},
    };
    for (const auto& c : cases) {
        const CTempDir root;
        // A folder below a plain file cannot be written, not even by root.
        const std::string program =
            c.m_programWritable ? root.Path() : root.Write("file", "") + "/program/";
        std::string user = root.Path() + "home/.config/tarnel/";
        if (c.m_userFolder == NO_USER_FOLDER) {
            user.clear();
        } else if (c.m_userFolder == USER_IS_PROGRAM) {
            user = root.Path();
        }
        if (c.m_program) {
            root.Write(PORT_NAME_FILE, *c.m_program);
        }
        if (c.m_user) {
            std::filesystem::create_directories(user);
            std::ofstream(user + PORT_NAME_FILE) << *c.m_user;
        }
        EXPECT_EQ(ReadPortName(program, user), c.m_read) << c.m_case;

        const bool saved = SavePortName(program, user, "COM5:");
        EXPECT_EQ(saved, *c.m_savedIn != '\0') << c.m_case;
        const bool inUser = std::string(c.m_savedIn) == "user";
        const std::string savedIn = inUser ? user : program;
        if (saved) {
            EXPECT_EQ(ReadAll(savedIn + PORT_NAME_FILE), "COM5:") << c.m_case;
            EXPECT_EQ(ReadPortName(program, user), "COM5:") << c.m_case;
        }
        if (inUser && c.m_program) {
            EXPECT_EQ(ReadAll(program + PORT_NAME_FILE), *c.m_program) << c.m_case;
        }
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
