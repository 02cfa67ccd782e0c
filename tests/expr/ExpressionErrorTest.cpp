// Formulas that fail: the code, the recorded token and its position, and 0.0 from Evaluate.
#include "ExprTestSupport.h"

#include <string>

class ExpressionErrorTest : public ExprTest {};

// Only space and tab are blanks, and a UTF-8 umlaut is no letter. In 'SetBit(1e10, 0)' there is
// no exponent: 'e10' is taken for the closing parenthesis.
TEST_F(ExpressionErrorTest, UnknownCharactersAndSyntaxErrors) {
    // clang-format off
    const SErrorCase cases[] = {
        {"2_", 1, "_", 1}, {"x & 1", 1, "&", 2}, {"\"1\"", 1, "\"", 0}, {"sin(0]", 1, "]", 5},
        {"y z _", 1, "_", 4}, {"\xC3\xA4", 1, "\xC3", 0}, {"2 +\n3", 1, "\n", 3}, {"2\r", 1, "\r", 1},
        {"1\f", 1, "\f", 1}, {"1\v+1", 1, "\v", 1},
        {"--2", 1, "-", 1}, {"*2", 1, "*", 0}, {"2 + ", 1, "", 4}, {"sin(0 ,", 1, "", 7},
        {"(y z)", 1, ")", 4}, {"(1+2", 2, "", 4}, {"(1 2)", 2, "2", 3}, {"()", 8, ")", 1},
        {"sin()", 8, ")", 4}, {"atan2(1,)", 8, ")", 8}, {"atan2(,1)", 8, ",", 6},
        {"max(1,2)", 6, "max", 0}, {"Sin(0)", 6, "Sin", 0}, {"1 + atan2(1)", 7, "atan2", 4},
        {"sin(1, 2)", 7, "sin", 0}, {"if(1, 2, 3, 4, 5)", 7, "if", 0},
        {"SetBit(1e10, 0)", 7, "SetBit", 0}, {"", 9, "", 0}, {" \t ", 9, "", 3},
    };
    // clang-format on
    ExpectAll(cases);
    EXPECT_EQ(Code(nullptr), CExpressionParser::ERROR_EMPTY_EXPRESSION);
}

// Every argument is evaluated, also of 'if'; the first error stands; 'a_b' is looked up before
// the '_' is scanned; a register number beyond the 32-bit range is not wrapped; assignments do
// not chain.
TEST_F(ExpressionErrorTest, RuntimeErrors) {
    // clang-format off
    const SErrorCase cases[] = {
        {"x / 0", 3, "", 5}, {"x % 0", 3, "", 5}, {"1 / -0", 3, "", 6},
        {"1 / (x - 6) + 2", 3, "+", 12}, {"if(1/0, 1, 2)", 3, ",", 6}, {"1/0 + R4", 3, "+", 4},
        {"PI", 4, "PI", 0}, {"a_b", 4, "a", 0}, {"R4", 4, "R4", 0},
        {"R2147483648", 4, "R2147483648", 0}, {"abcdefghijklmnopqrst", 4, "abcdefghijklmno", 0},
        {"a z b z 3", 4, "b", 4},
    };
    // clang-format on
    ExpectAll(cases);
    // The recorded token is cut to 31 characters; the position still finds the whole of it.
    const std::string digits(40, '7');
    Expect({"(1 " + digits + ")", 2, digits.substr(0, 31), 3});
}

TEST_F(ExpressionErrorTest, NestingIsBounded) {
    const auto nested = [](const std::string& open, int depth, const std::string& close) {
        std::string opens;
        std::string closes;
        for (int i = 0; i < depth; ++i) {
            opens += open;
            closes += close;
        }
        return opens + "1" + closes;
    };
    const int limit = CExpressionParser::MAX_NESTING;
    const std::size_t tooDeep = static_cast<std::size_t>(limit);
    // Groups and calls count alike; far beyond the bound there is an error code, not an
    // exhausted stack.
    const SErrorCase cases[] = {
        {nested("(", limit + 1, ")"), 10, "(", tooDeep},
        {nested("abs(", limit + 1, ")"), 10, "abs", tooDeep * 4},
        {nested("(sin(", limit, "))"), 10, "(", tooDeep / 2 * 5},
        {std::string(1000000, '('), 10, "(", tooDeep},
        {nested("sqrt(", 100000, ""), 10, "sqrt", tooDeep * 5},
    };
    ExpectAll(cases);
    // Right at the bound, and after the failures above on the same object.
    const SResultCase atTheBound[] = {{nested("(", limit, ")"), 1},
                                      {nested("abs(", limit, ")"), 1}};
    ExpectAll(atTheBound);
}

TEST(ExpressionErrorMessages, AreTheSystemsTexts) {
    // clang-format off
    const char* const expected[] = {
        "", "Syntax error", "Unbalanced parenthesis", "Division by zero", "Unknown variable",
        "Maximum variables exceeded", "Unrecognised funtion",
        "Wrong number of arguments to funtion", "Missing an argument", "Empty expression",
        "Expression nested too deeply", ""};
    // clang-format on
    for (int code = 0; code < 12; ++code) {
        EXPECT_STREQ(CExpressionParser::GetErrorMessage(code), expected[code]) << code;
    }
    EXPECT_STREQ(CExpressionParser::GetErrorMessage(-1), "");
}
