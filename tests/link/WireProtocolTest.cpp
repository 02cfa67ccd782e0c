#include "link/WireProtocol.h"
#include "link/LineAssembler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<SDeviceLine> FeedAll(CLineAssembler& assembler, const std::string& bytes) {
    std::vector<SDeviceLine> lines;
    for (const char c : bytes) {
        if (const auto line = assembler.Feed(c)) {
            lines.push_back(*line);
        }
    }
    return lines;
}

std::vector<SDeviceLine> FeedAll(const std::string& bytes) {
    CLineAssembler assembler;
    return FeedAll(assembler, bytes);
}

} // namespace

TEST(WireProtocol, WriteRegisterMessagesAreByteExact) {
    const struct {
        std::int32_t m_register;
        std::int32_t m_value;
        const char* m_message;
    } cases[] = {
        {12, 345, "S12:345;199\n"},
        {12, -5, "S12:-5;141\n"},
        {1, 0, "S1:0;41\n"},
        {-1, 7, "S-1:7;93\n"},
        {2147483647, -2147483647 - 1, "S2147483647:-2147483648;18\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BuildWriteRegisterMessage(c.m_register, c.m_value), c.m_message);
    }
    EXPECT_EQ(MESSAGE_REPORT_ALL, "A\n");
    EXPECT_EQ(MESSAGE_KEEP_ALIVE, "C\n");
}

TEST(WireProtocol, ChecksumIsByteSumModulo256) {
    EXPECT_EQ(WireChecksum(""), 0);
    EXPECT_EQ(WireChecksum("S12:345;"), 199);
    EXPECT_EQ(WireChecksum("\xff\x02"), 1); // bytes count unsigned
    EXPECT_EQ(BuildRegisterLine('B', 12, 345), "B12:345;182");
    EXPECT_EQ(BuildRegisterLine('I', 7, 9), "I7:9;" + std::to_string(WireChecksum("I7:9;")));
}

TEST(WireProtocol, ReadsNumbersLikeScanfWithFallBacks) {
    const struct {
        const char* m_text;
        std::int32_t m_register;
        std::int32_t m_value;
        int m_count;
    } cases[] = {
        {"12 345 199", 12, 345, 3},
        {"  \t12\r\n-7", 12, -7, 2},
        {"+5 +6", 5, 6, 2},
        {"", -1, 0, 0},
        {"xyz", -1, 0, 0},
        {"12xyz 5", 12, 0, 1},
        {"12-5", 12, -5, 2},
        {"- 5", -1, 0, 0},
        {"7 -", 7, 0, 1},
        {"99999999999 1", 2147483647, 1, 2},
        {"-99999999999999999999999 1", -2147483647 - 1, 1, 2},
        {"2147483648 -2147483649", 2147483647, -2147483647 - 1, 2},
        {"1,5 2", 1, 0, 1},
        {"3 4 5 6", 3, 4, 3},
    };
    for (const auto& c : cases) {
        const SLineNumbers numbers = ReadLineNumbers(c.m_text);
        EXPECT_EQ(numbers.m_register, c.m_register) << c.m_text;
        EXPECT_EQ(numbers.m_value, c.m_value) << c.m_text;
        EXPECT_EQ(numbers.m_count, c.m_count) << c.m_text;
    }
    // A NUL ends the text for the reader just as it would a C string.
    EXPECT_EQ(ReadLineNumbers(std::string("4\0 5", 4)).m_count, 1);
}

TEST(LineAssembler, InterpretsReportsAndAcknowledgements) {
    const struct {
        const char* m_bytes;
        bool m_expectLine;
        EDeviceLineKind m_kind;
        std::int32_t m_register;
        std::int32_t m_value;
    } cases[] = {
        {"I12:345;199\n", true, EDeviceLineKind::Report, 12, 345},
        {"I12:345;199\r", true, EDeviceLineKind::Report, 12, 345},
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
    };
    for (const auto& c : cases) {
        const auto lines = FeedAll(c.m_bytes);
        ASSERT_EQ(lines.size(), c.m_expectLine ? 1u : 0u) << c.m_bytes;
        if (c.m_expectLine) {
            EXPECT_EQ(lines[0].m_kind, c.m_kind) << c.m_bytes;
            EXPECT_EQ(lines[0].m_register, c.m_register) << c.m_bytes;
            EXPECT_EQ(lines[0].m_value, c.m_value) << c.m_bytes;
        }
    }
}

TEST(LineAssembler, KeepsPartialLinesAndTreatsCrLfAsOneLine) {
    CLineAssembler assembler;
    EXPECT_TRUE(FeedAll(assembler, "I12:3").empty());
    EXPECT_EQ(assembler.PartialLine(), "I12 3");
    const auto lines = FeedAll(assembler, "45;199\r\nI3 4\n\n\r\r");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].m_value, 345);
    EXPECT_EQ(lines[1].m_register, 3);
    EXPECT_TRUE(assembler.PartialLine().empty());
}

TEST(LineAssembler, OverlongLineIsCutAndTheRestFormsTheNextLine) {
    // 100 bytes fill the line; the 101st empties it and is dropped; the remaining 49 form the
    // next line. Were the 101st kept, the next line would start with 'x' and mean nothing.
    const std::string rest = "I5 77" + std::string(44, ' ');
    ASSERT_EQ(rest.size(), 49u);
    const std::string line = std::string(100, 'I') + "x" + rest;
    ASSERT_EQ(line.size(), 150u);

    CLineAssembler assembler;
    EXPECT_TRUE(FeedAll(assembler, line.substr(0, 100)).empty());
    EXPECT_EQ(assembler.PartialLine().size(), 100u);
    EXPECT_TRUE(FeedAll(assembler, "x").empty());
    EXPECT_TRUE(assembler.PartialLine().empty());
    const auto lines = FeedAll(assembler, rest + "\n");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].m_register, 5);
    EXPECT_EQ(lines[0].m_value, 77);

    // Exactly 100 characters is still a line.
    const auto full = FeedAll("I1 2" + std::string(96, ' ') + "\n");
    ASSERT_EQ(full.size(), 1u);
    EXPECT_EQ(full[0].m_value, 2);
}
