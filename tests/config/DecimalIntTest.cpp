#include "platform/DecimalInt.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

// The one "%d" reader behind device lines, parameter-set files and typed field values.
TEST(DecimalInt, ReadsLikePercentDAndSaturates) {
    constexpr std::int32_t untouched = 77;
    const struct {
        std::string m_text;
        std::size_t m_from;
        std::int32_t m_number; // untouched when nothing is read
        std::size_t m_end;     // the start again when nothing is read
    } cases[] = {
        // clang-format off
        {"12 345", 0, 12, 2}, {"12 345", 2, 345, 6}, {" \t\r\n\v\f+42 ", 0, 42, 9}, {"007", 0, 7, 3},
        {"-0", 0, 0, 2}, {"12abc", 0, 12, 2}, {"12-5", 2, -5, 4}, {"1,5", 0, 1, 1}, {"3.9", 0, 3, 1},
        {"2147483647", 0, 2147483647, 10}, {"2147483648", 0, 2147483647, 10},
        {"99999999999999999999", 0, 2147483647, 20}, {"-2147483648", 0, -2147483647 - 1, 11},
        {"-2147483649", 0, -2147483647 - 1, 11}, {"", 0, untouched, 0}, {"xyz", 0, untouched, 0},
        {"- 5", 0, untouched, 0}, {"7 -", 1, untouched, 1}, {"+", 0, untouched, 0},
        {std::string("\0 5", 3), 0, untouched, 0}, // a NUL ends the text as in a C string
        // clang-format on
    };
    for (const auto& c : cases) {
        std::size_t position = c.m_from;
        std::int32_t number = untouched;
        const bool read = ReadDecimalInt(c.m_text, position, number);
        EXPECT_EQ(std::make_tuple(read, number, position),
                  std::make_tuple(c.m_end != c.m_from, c.m_number, c.m_end))
            << c.m_text;
    }
}
