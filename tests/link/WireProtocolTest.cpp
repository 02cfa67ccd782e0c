#include "link/WireProtocol.h"
#include "link/LineAssembler.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

TEST(WireProtocol, WriteRegisterMessagesAreByteExact) {
    const std::tuple<std::int32_t, std::int32_t, const char*> cases[] = {
        {12, 345, "S12:345;199\n"},
        {12, -5, "S12:-5;141\n"},
        {1, 0, "S1:0;41\n"},
        {-1, 7, "S-1:7;93\n"},
        {2147483647, -2147483647 - 1, "S2147483647:-2147483648;18\n"}};
    for (const auto& [registerNumber, value, message] : cases) {
        EXPECT_EQ(BuildWriteRegisterMessage(registerNumber, value), message);
    }
}

// How one number reads is the shared reader's table; here the three fields and their fall-backs.
TEST(WireProtocol, ReadsUpToThreeNumbersWithFallBacks) {
    using Numbers = std::tuple<std::int32_t, std::int32_t, std::int32_t, int>;
    const std::pair<const char*, Numbers> cases[] = {{"12 345 199", {12, 345, 199, 3}},
                                                     {"", {-1, 0, 0, 0}},
                                                     {"12xyz 5", {12, 0, 0, 1}},
                                                     {"12-5", {12, -5, 0, 2}},
                                                     {"3 4 5 6", {3, 4, 5, 3}}};
    for (const auto& [text, expected] : cases) {
        const SLineNumbers n = ReadLineNumbers(text);
        EXPECT_EQ(Numbers(n.m_register, n.m_value, n.m_checksum, n.m_count), expected) << text;
    }
}

TEST(LineAssembler, InterpretsReportsAndAcknowledgements) {
    using Line = std::tuple<EDeviceLineKind, std::int32_t, std::int32_t>;
    using Lines = std::vector<Line>;
    constexpr EDeviceLineKind I = EDeviceLineKind::Report;
    constexpr EDeviceLineKind B = EDeviceLineKind::Acknowledge;
    const std::string blanks(96, ' ');
    const std::pair<std::string, Lines> cases[] = {
        // CR ends a line as LF does; the empty lines after it do nothing.
        {"I12:345;199\r\n\r\r\n", {{I, 12, 345}}},
        {"I7 9\n", {{I, 7, 9}}},
        {"I7:\n", {}},
        {"Ixyz\n", {{I, -1, 0}}},
        {"I:-3;x\n", {{I, -3, 0}}},
        {"B12:345;199\n", {{B, 12, 345}}},
        {"BX12\n", {{B, -1, 0}}},
        {"BO12:345;199\n", {}},
        {"i12:345;199\n", {}},
        {"S12:345;199\n", {}},
        {" I12:3\n", {}},
        // 100 characters are still a line; the 101st empties it and is dropped, and the rest
        // collects as the next line (were the 101st kept, that line would mean nothing).
        {"I1 2" + blanks + "\n", {{I, 1, 2}}},
        {"I1 2" + blanks + "x\n", {}},
        {"I1 2" + blanks + "xI5 77" + std::string(44, ' ') + "\n", {{I, 5, 77}}},
    };
    for (const auto& [bytes, expected] : cases) {
        CLineAssembler assembler;
        Lines lines;
        for (const char byte : bytes) {
            if (const auto line = assembler.Feed(byte)) {
                lines.emplace_back(line->m_kind, line->m_register, line->m_value);
            }
        }
        EXPECT_EQ(lines, expected) << bytes;
    }
}
