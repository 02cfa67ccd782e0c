// Formulas that evaluate.
#include "ExprTestSupport.h"

#include <cmath>
#include <string>

class ExpressionResultTest : public ExprTest {};

// The sign binds tighter than '^'; blanks are spaces and tabs. Comparisons bind like '*', so
// '6 = 2 * 3' is (6 = 2) * 3, and each is decided by its own token; NaN ((-1)^0.5) equals
// nothing, not even itself. Leftovers after a complete expression are ignored unscanned, a
// call's closing parenthesis is consumed unseen (in 'abs(-2 7 + 1' the '7' is taken for it),
// and there is no exponent form.
TEST_F(ExpressionResultTest, OperatorsComparisonsAndLeftovers) {
    // clang-format off
    const SResultCase cases[] = {
        {"2 + 3 * 4", 14}, {"(2 + 3) * 4", 20}, {"10 - 4 - 3", 3}, {"100 / 10 / 5", 2},
        {"7 % 3", 1}, {"-7 % 3", -1}, {"7.5 % 2", 1.5}, {"2 ^ 10", 1024}, {"2 * 3 ^ 2", 18},
        {"-x", -6}, {"+x", 6}, {"2 - -3", 5}, {"-2^2", 4}, {"2^-1", 0.5}, {"0.5 + .25", 0.75},
        {"1.2.3", 1.2}, {".", 0}, {"\t2\t+ 3 ", 5},
        {"1 + 2 < 4", 2}, {"6 = 2 * 3", 0}, {"3 > 2 = 1", 1}, {"2 = 3", 0}, {"2 == 2", 1},
        {"2 < 2", 0}, {"2 <= 2", 1}, {"3 <= 2", 0}, {"1 <= 2 < 1", 0}, {"3 > 3", 0}, {"3 >= 3", 1},
        {"2 >= 3", 0}, {"-1^.5 = -1^.5", 0},
        {"1 2", 1}, {"(1+2))", 3}, {"2^3^2", 8}, {"1 2_", 1}, {"sin(0", 0}, {"abs(-2 7 + 1", 3},
        {"1e5", 1},
    };
    // clang-format on
    ExpectAll(cases);
}

// The condition of 'if' is truncated toward zero; beyond the 32-bit range it saturates (2^32
// would wrap to 0), and NaN counts as 0.
TEST_F(ExpressionResultTest, ConstantsRegistersAndFunctions) {
    // clang-format off
    const SResultCase cases[] = {
        {"pi", 3.141592653589793}, {"e", 2.718281828459045}, {"R5 * 2 + R12", 81}, {"R999x", 1},
        {"Rate", 7}, {"R2147483647", 9},
        {"sin(1)", std::sin(1.0)}, {"cos(1)", std::cos(1.0)}, {"tan(1)", std::tan(1.0)},
        {"asin(1)", std::asin(1.0)}, {"acos(0.5)", std::acos(0.5)}, {"atan(1)", std::atan(1.0)},
        {"atan2(1, -1)", std::atan2(1.0, -1.0)}, {"sinh(1)", std::sinh(1.0)},
        {"cosh(1)", std::cosh(1.0)}, {"tanh(0.5)", std::tanh(0.5)}, {"exp(1)", std::exp(1.0)},
        {"log(10)", std::log(10.0)}, {"log10(1000)", 3}, {"sqrt(16)", 4}, {"floor(-2.5)", -3},
        {"ceil(2.1)", 3}, {"abs(-2.5)", 2.5}, {"deg(pi)", 180}, {"rad(180)", 3.141592653589793},
        {"sin (0)", 0},
        {"if(1, 10, 20)", 10}, {"if(0, 10, 20)", 20}, {"if(0.9, 1, 2)", 2}, {"if(-0.9, 1, 2)", 2},
        {"if(-exp(700), 1, 2)", 1}, {"if(exp(1000), 1, 2)", 1}, {"if(sqrt(-1), 1, 2)", 2},
        {"if(4294967296, 1, 2)", 1},
    };
    // clang-format on
    ExpectAll(cases);
}

// Arguments become integers by adding 0.5 and truncating toward zero, with saturation; the
// mask is 1 shifted by the low eight bits of the bit number: bit -1 + 0.5 truncates to bit 0,
// bit -1.5 to -1, which shifts by 255 and sets no bit.
TEST_F(ExpressionResultTest, BitFunctions) {
    // clang-format off
    const SResultCase cases[] = {
        {"SetBit(0, 3)", 8}, {"ClearBit(15, 0)", 14}, {"SetBitValue(0, 1, 0.5)", 2},
        {"SetBitValue(2, 1, 0.4)", 0}, {"SetBitValue(2, 1, -5)", 0}, {"isBitSet(5, 2)", 1},
        {"isBitSet(5, 1)", 0}, {"isBitSet(5, 40)", 0}, {"SetBit(0, 31)", -2147483648.0},
        {"isBitSet(SetBit(0, 31), 31)", 0}, {"SetBit(0, -1)", 1}, {"SetBit(0, -1.5)", 0},
        {"SetBit(0, 32)", 0}, {"SetBit(0, 256)", 1}, {"SetBit(2.5, 2)", 7}, {"SetBit(2.4, 2)", 6},
        {"SetBit(0, 2.5)", 8}, {"SetBit(-1.2, 0)", 1}, {"SetBit(-1.7, 1)", -1},
        {"ClearBit(-1.5, 31)", 2147483647}, {"ClearBit(10000000000, 0)", 2147483646},
        {"ClearBit(-10000000000, 31)", 0}, {"SetBit(sqrt(-1), 0)", 1},
        {"SetBit(exp(1000), 31)", -1}, {"isBitSet(R5, 3) + isBitSet(R5, 0)", 1},
    };
    // clang-format on
    ExpectAll(cases);
}

// Texts beyond the old limits of 1023 characters per formula and 31 per token count in full.
// The long sum also opens and leaves more groups and calls than the nesting bound, one by one.
TEST_F(ExpressionResultTest, LongTextsCountInFull) {
    std::string sum = "1";
    for (int i = 0; i < 500; ++i) {
        sum += "+(1)+abs(1)";
    }
    const std::string digits = "1234567890123456789012345678901234567890";
    const std::string padded = std::string(2000, ' ') + "x" + std::string(2000, '\t');
    const SResultCase cases[] = {
        {sum, 1001}, {digits, 1234567890123456789012345678901234567890.0}, {padded, 6}};
    ExpectAll(cases);
}
