// The number reader against the C library's strtod in the "C" locale, which defines the reading
// a formula number must have: the longest prefix of digits, '.', digits.
#include "expr/DecimalReader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <locale.h>
#include <random>
#include <string>
#include <vector>

namespace {

// Reads from a heap block of exactly the text's size, so that the sanitizer build catches any
// read past the end, and compares with strtod.
void ExpectAsStrtod(const std::string& text) {
    static const locale_t s_c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    const std::vector<char> block(text.begin(), text.end());
    EXPECT_EQ(ReadDecimal(block.data(), block.data() + block.size()),
              strtod_l(text.c_str(), nullptr, s_c))
        << '"' << text.substr(0, 40) << '"';
}

} // namespace

TEST(DecimalReader, LongestPrefixAndHardCasesMatchStrtod) {
    // clang-format off
    const std::string cases[] = {
        "", ".", "..5", "1.2.3", "1..2", ".5", "5.", "007.50", "0.1",
        "9007199254740992", "9007199254740993", "9007199254740995", "18446744073709551616",
        "1234567890123456789", "12345678901234567890", "0.1000000000000000055511151231257827",
        "2.2250738585072011", "0.30000000000000004", "123456789012345678901234567890.123456789",
        "0.0000000000000000000000001",
        "0." + std::string(320, '0') + "1",       // below the smallest denormal: 0
        "0." + std::string(300, '0') + "4940656", // a denormal
        "1" + std::string(308, '0'),
        "1" + std::string(309, '0'), // too large: infinity
        "179769313486231580793728971405303415079934132710037826936173778980444968292764750946649017"
        "977587207096330286416692887910946555547851940402630657488671505820681908902000708383676273"
        "854845817711531764475730270069855571366959622842914819860834936475292719074168444365510704"
        "342711559699508093042880177904174497791",
        std::string(1000, '9'), "." + std::string(1000, '0'),
    };
    // clang-format on
    for (const std::string& text : cases) {
        ExpectAsStrtod(text);
    }
}

TEST(DecimalReader, ReadsOnlyItsRange) {
    const char text[] = "12345.678";
    EXPECT_EQ(ReadDecimal(text, text + 3), 123.0);
    EXPECT_EQ(ReadDecimal(text, text + 7), 12345.6);
    EXPECT_EQ(ReadDecimal(text, text), 0.0);
}

TEST(DecimalReader, RandomTokensMatchStrtod) {
    std::mt19937 random(20240611u);
    std::uniform_int_distribution<int> length(1, 40);
    std::uniform_int_distribution<int> character(0, 21); // mostly digits, now and then a '.'
    for (int i = 0; i < 200000 && !HasFailure(); ++i) {
        std::string text;
        for (int n = length(random); n > 0; --n) {
            const int c = character(random);
            text += c >= 20 ? '.' : static_cast<char>('0' + c % 10);
        }
        ExpectAsStrtod(text);
    }
}
