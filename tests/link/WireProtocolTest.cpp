#include "link/WireProtocol.h"
#include "link/LineAssembler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(WireProtocol, WriteRegisterMessagesAreByteExact) {
    const struct {
        std::int32_t m_register;
        std::int32_t m_value;
        const char* m_message;
    } cases[] = {{12, 345, "S12:345;199\n"},
                 {12, -5, "S12:-5;141\n"},
                 {1, 0, "S1:0;41\n"},
                 {-1, 7, "S-1:7;93\n"},
                 {2147483647, -2147483647 - 1, "S2147483647:-2147483648;18\n"}};
    for (const auto& c : cases) {
        EXPECT_EQ(BuildWriteRegisterMessage(c.m_register, c.m_value), c.m_message);
    }
}

// How one number reads is the shared reader's table; here the three fields and their fall-backs.
TEST(WireProtocol, ReadsUpToThreeNumbersWithFallBacks) {
    const struct {
        const char* m_text;
        std::int32_t m_register;
        std::int32_t m_value;
        int m_count;
    } cases[] = {{"12 345 199", 12, 345, 3},
                 {"", -1, 0, 0},
                 {"12xyz 5", 12, 0, 1},
                 {"12-5", 12, -5, 2},
                 {"3 4 5 6", 3, 4, 3}};
    for (const auto& c : cases) {
        const SLineNumbers numbers = ReadLineNumbers(c.m_text);
        EXPECT_EQ(numbers.m_register, c.m_register) << c.m_text;
        EXPECT_EQ(numbers.m_value, c.m_value) << c.m_text;
        EXPECT_EQ(numbers.m_count, c.m_count) << c.m_text;
    }
    EXPECT_EQ(ReadLineNumbers("1 2 3").m_checksum, 3);
}

TEST(LineAssembler, InterpretsReportsAndAcknowledgements) {
    const std::string blanks(96, ' ');
    const struct {
        std::string m_bytes;
        bool m_expectLine;
        EDeviceLineKind m_kind;
        std::int32_t m_register;
        std::int32_t m_value;
    } cases[] = {
        {"I12:345;199\n", true, EDeviceLineKind::Report, 12, 345},
        // CR ends a line as LF does; the empty lines after it do nothing.
        {"I12:345;199\r\n\r\r\n", true, EDeviceLineKind::Report, 12, 345},
        {"I7 9\n", true, EDeviceLineKind::Report, 7, 9},
        {"I7\n", false, EDeviceLineKind::Report, 0, 0},
        {"I7:\n", false, EDeviceLineKind::Report, 0, 0},
        {"Ixyz\n", true, EDeviceLineKind::Report, -1, 0},
        {"I:-3;x\n", true, EDeviceLineKind::Report, -3, 0},
        {"B12:345;199\n", true, EDeviceLineKind::Acknowledge, 12, 345},
        {"BX12\n", true, EDeviceLineKind::Acknowledge, -1, 0},
        {"BOOT\n", false, EDeviceLineKind::Acknowledge, 0, 0},
        {"BO12:345;199\n", false, EDeviceLineKind::Acknowledge, 0, 0},
        {"i12:345;199\n", false, EDeviceLineKind::Report, 0, 0},
        {"S12:345;199\n", false, EDeviceLineKind::Report, 0, 0},
        {" I12:3\n", false, EDeviceLineKind::Report, 0, 0},
        // 100 characters are still a line; the 101st empties it and is dropped, and the rest
        // collects as the next line (were the 101st kept, that line would mean nothing).
        {"I1 2" + blanks + "\n", true, EDeviceLineKind::Report, 1, 2},
        {"I1 2" + blanks + "x\n", false, EDeviceLineKind::Report, 0, 0},
        {"I1 2" + blanks + "xI5 77" + std::string(44, ' ') + "\n", true, EDeviceLineKind::Report, 5,
         77},
    };
    for (const auto& c : cases) {
        CLineAssembler assembler;
        std::vector<SDeviceLine> lines;
        for (const char byte : c.m_bytes) {
            if (const auto line = assembler.Feed(byte)) {
                lines.push_back(*line);
            }
        }
        ASSERT_EQ(lines.size(), c.m_expectLine ? 1u : 0u) << c.m_bytes;
        if (c.m_expectLine) {
            EXPECT_EQ(lines[0].m_kind, c.m_kind) << c.m_bytes;
            EXPECT_EQ(lines[0].m_register, c.m_register) << c.m_bytes;
            EXPECT_EQ(lines[0].m_value, c.m_value) << c.m_bytes;
        }
    }
}
