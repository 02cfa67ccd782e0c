// Formulas that evaluate: each case on a fresh parser with x = 6 bound, as the panel binds the
// entered value.
#include "ExprTestSupport.h"
#include "expr/ExpressionParser.h"

#include <cmath>
#include <string>

namespace {

struct SResultCase {
    const char* m_text;
    double m_expected;
};

class ExpressionResultTest : public ExprTest {
protected:
    void Check(const SResultCase& c) {
        CExpressionParser parser;
        ASSERT_TRUE(parser.SetVariable("x", 6.0));
        double result = -1.0;
        bool assigned = true;
        const int code = parser.EvaluateChecked(c.m_text, result, assigned);
        EXPECT_EQ(code, 0) << '"' << c.m_text << "\": " << CExpressionParser::GetErrorMessage(code)
                           << " at " << parser.GetErrorPosition();
        EXPECT_EQ(parser.GetErrorCode(), 0) << c.m_text;
        EXPECT_DOUBLE_EQ(result, c.m_expected) << '"' << c.m_text << '"';
        EXPECT_FALSE(assigned) << c.m_text;
        CExpressionParser again;
        again.SetVariable("x", 6.0);
        EXPECT_DOUBLE_EQ(again.Evaluate(c.m_text), c.m_expected) << "Evaluate: " << c.m_text;
    }
};

} // namespace

TEST_F(ExpressionResultTest, Arithmetic) {
    const SResultCase cases[] = {
        {"2 + 3 * 4", 14}, {"(2 + 3) * 4", 20}, {"7 % 3", 1},      {"-7 % 3", -1},
        {"7.5 % 2", 1.5},  {"2 ^ 10", 1024},    {"10 - 4 - 3", 3}, {"100 / 10 / 5", 2},
        {"1 / 8", 0.125},  {"x * 2 - 1", 11},   {"-x", -6},        {"+x", 6},
        {"-(2 + 3)", -5},  {"2 * -3", -6},      {"2 - -3", 5},     {"-2^2", 4},
        {"2^-1", 0.5},     {"2^3^2", 8},        {"(2^3)^2", 64},   {"2 * 3 ^ 2", 18},
        {"((((1))))", 1},  {"0.5 + .25", 0.75}, {"1.2.3", 1.2},    {".", 0},
        {"3.", 3},         {"0007", 7},         {"x/4", 1.5},      {"\t2\t+ 3 ", 5},
        {"  x", 6},        {"2 *3*  4", 24},
    };
    for (const auto& c : cases) {
        Check(c);
    }
}

// Comparisons bind like '*' and each is decided by its own token.
TEST_F(ExpressionResultTest, Comparisons) {
    const SResultCase cases[] = {
        {"1 + 2 < 4", 2},
        {"3 > 2 = 1", 1},
        {"2 <= 2", 1},
        {"2 == 2", 1},
        {"2 = 3", 0},
        {"1 <= 2 < 1", 0},
        {"2 < 2", 0},
        {"3 >= 3", 1},
        {"2 >= 3", 0},
        {"3 > 3", 0},
        {"x > 5", 1},
        {"x < 5 + 1", 1},
        {"(x < 5) + 1", 1},
        {"2 * 3 = 6", 1},
        {"6 = 2 * 3", 0}, // (6 = 2) * 3
        {"sqrt(-1) = sqrt(-1)", 0},
    };
    for (const auto& c : cases) {
        Check(c);
    }
}

// The odd rules: leftovers after a complete expression are ignored, a call's closing
// parenthesis is consumed unseen, and there is no exponent form.
TEST_F(ExpressionResultTest, LeftoversAndUnseenParenthesis) {
    const SResultCase cases[] = {
        {"1 2", 1},   {"(1+2))", 3},       {"1 )", 1},
        {"sin(0", 0}, {"abs(-2 7 + 1", 3}, // the '7' is consumed as if it closed the call
        {"1e5", 1},   {"2 x", 2},          {"1 2_", 1},
        {"5 (", 5},   {"2^3^2", 8},
    };
    for (const auto& c : cases) {
        Check(c);
    }
}

TEST_F(ExpressionResultTest, ConstantsAndRegisters) {
    const SResultCase cases[] = {
        {"pi", 3.141592653589793},
        {"e", 2.718281828459045},
        {"2 * pi", 6.283185307179586},
        {"R5", 42},
        {"R5 * 2 + R12", 81},
        {"R999x", 1},
        {"R999.5", 1},
        {"Rate", 7},
        {"R", 7},
        {"R0005", 42},
        {"R2147483647", 9},
        {"-R12", 3},
        {"R5 > 40", 1},
    };
    for (const auto& c : cases) {
        Check(c);
    }
}

TEST_F(ExpressionResultTest, Functions) {
    const SResultCase cases[] = {
        {"sin(1)", std::sin(1.0)},
        {"cos(0)", 1},
        {"tan(1)", std::tan(1.0)},
        {"asin(1)", std::asin(1.0)},
        {"acos(0.5)", std::acos(0.5)},
        {"atan(1)", std::atan(1.0)},
        {"atan2(1, -1)", std::atan2(1.0, -1.0)},
        {"sinh(1)", std::sinh(1.0)},
        {"cosh(1)", std::cosh(1.0)},
        {"tanh(0.5)", std::tanh(0.5)},
        {"exp(1)", std::exp(1.0)},
        {"log(10)", std::log(10.0)},
        {"log10(1000)", 3},
        {"sqrt(16)", 4},
        {"floor(-2.5)", -3},
        {"ceil(2.1)", 3},
        {"abs(-2.5)", 2.5},
        {"deg(pi)", 180},
        {"rad(180)", 3.141592653589793},
        {"sin (0)", 0},
        {"atan2(1, 2) * 2", std::atan2(1.0, 2.0) * 2},
        {"sqrt(sqrt(16) * 4)", 4},
        {"abs(-x) + 1", 7},
    };
    for (const auto& c : cases) {
        Check(c);
    }
}

// The condition is truncated toward zero; a condition outside the 32-bit range saturates and
// NaN counts as 0.
TEST_F(ExpressionResultTest, If) {
    const SResultCase cases[] = {
        {"if(1, 10, 20)", 10},     {"if(0, 10, 20)", 20},       {"if(0.9, 1, 2)", 2},
        {"if(-0.9, 1, 2)", 2},     {"if(-1, 1, 2)", 1},         {"if(x > 5, x, -x)", 6},
        {"if(exp(700), 1, 2)", 1}, {"if(-exp(700), 1, 2)", 1},  {"if(exp(1000), 1, 2)", 1},
        {"if(sqrt(-1), 1, 2)", 2}, {"if(4294967296, 1, 2)", 1}, // would be 0 if it wrapped
    };
    for (const auto& c : cases) {
        Check(c);
    }
}

// Arguments become integers by adding 0.5 and truncating toward zero, with saturation; the
// mask is 1 shifted by the low eight bits of the bit number.
TEST_F(ExpressionResultTest, BitFunctions) {
    const SResultCase cases[] = {
        {"SetBit(0, 3)", 8},
        {"ClearBit(15, 0)", 14},
        {"SetBitValue(0, 1, 0.5)", 2},
        {"SetBitValue(2, 1, 0.4)", 0},
        {"SetBitValue(2, 1, -5)", 0},
        {"isBitSet(5, 2)", 1},
        {"isBitSet(5, 1)", 0},
        {"isBitSet(5, 40)", 0},
        {"SetBit(0, 31)", -2147483648.0},
        {"isBitSet(SetBit(0, 31), 31)", 0},
        {"isBitSet(SetBit(0, 30), 30)", 1},
        {"SetBit(0, -1)", 1},   // -1 + 0.5 truncates to bit 0
        {"SetBit(0, -1.5)", 0}, // bit -1: shift 255, no bit
        {"SetBit(0, 32)", 0},
        {"SetBit(0, 256)", 1},
        {"SetBit(0, 257.4)", 2},
        {"ClearBit(2.5, 0)", 2},
        {"ClearBit(2.4, 0)", 2},
        {"SetBit(2.5, 2)", 7},
        {"SetBit(-1.2, 0)", 1},
        {"SetBit(-1.7, 1)", -1},
        {"SetBit(0, 2.5)", 8},
        {"SetBit(-1, 0)", 1}, // -1 + 0.5 truncates to 0
        {"ClearBit(-1.5, 31)", 2147483647},
        {"SetBit(10000000000, 0)", 2147483647},
        {"ClearBit(10000000000, 0)", 2147483646},
        {"ClearBit(-10000000000, 31)", 0},
        {"SetBit(sqrt(-1), 0)", 1},
        {"SetBit(exp(1000), 31)", -1},
        {"SetBit(0, -exp(1000))", 1}, // the bit number saturates to INT32_MIN: shift 0
        {"isBitSet(R5, 3) + isBitSet(R5, 0)", 1},
    };
    for (const auto& c : cases) {
        Check(c);
    }
}

// Texts beyond the old limits of 1023 characters per formula and 31 per token count in full.
TEST_F(ExpressionResultTest, LongTextsCountInFull) {
    std::string sum = "1";
    for (int i = 0; i < 1499; ++i) {
        sum += "+1";
    }
    ASSERT_GT(sum.size(), 1023u);
    Check({sum.c_str(), 1500});

    const std::string digits = "1234567890123456789012345678901234567890";
    Check({digits.c_str(), 1234567890123456789012345678901234567890.0});
    const std::string fraction = "0." + std::string(40, '0') + "5";
    Check({fraction.c_str(), 5e-41});
    const std::string huge = "1" + std::string(400, '0');
    CExpressionParser parser;
    EXPECT_TRUE(std::isinf(parser.Evaluate(huge.c_str())));
    const std::string padded = std::string(2000, ' ') + "x" + std::string(2000, '\t');
    Check({padded.c_str(), 6});
}
