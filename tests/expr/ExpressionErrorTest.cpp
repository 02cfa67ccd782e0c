// Formulas that fail: the code, the recorded token and its position, and 0.0 from Evaluate.
// Each case runs on a fresh parser with x = 6 bound.
#include "ExprTestSupport.h"
#include "expr/ExpressionParser.h"

#include <string>

namespace {

struct SErrorCase {
    std::string m_text;
    int m_code;
    std::string m_token;
    std::size_t m_position;
};

class ExpressionErrorTest : public ExprTest {
protected:
    static void Check(const SErrorCase& c) {
        CExpressionParser parser;
        ASSERT_TRUE(parser.SetVariable("x", 6.0));
        double result = -1.0;
        bool assigned = true;
        EXPECT_EQ(parser.EvaluateChecked(c.m_text.c_str(), result, assigned), c.m_code)
            << '"' << c.m_text << '"';
        EXPECT_EQ(parser.GetErrorCode(), c.m_code) << c.m_text;
        EXPECT_EQ(result, 0.0) << c.m_text;
        EXPECT_FALSE(assigned) << c.m_text;
        EXPECT_EQ(parser.GetErrorToken(), c.m_token) << c.m_text;
        EXPECT_EQ(parser.GetErrorPosition(), c.m_position) << c.m_text;

        CExpressionParser again;
        again.SetVariable("x", 6.0);
        EXPECT_EQ(again.Evaluate(c.m_text.c_str()), 0.0) << "Evaluate: " << c.m_text;
        EXPECT_EQ(again.GetErrorCode(), c.m_code) << c.m_text;
    }
};

} // namespace

TEST_F(ExpressionErrorTest, CharactersOutsideEveryToken) {
    const SErrorCase cases[] = {
        {"2_", 1, "_", 1},
        {"_", 1, "_", 0},
        {"1 _", 1, "_", 2},
        {"2 ! 3", 1, "!", 2},
        {"x & 1", 1, "&", 2},
        {"\"1\"", 1, "\"", 0},
        {"[1]", 1, "[", 0},
        {"sin(0]", 1, "]", 5},
        {"y z _", 1, "_", 4},
        {"\xC3\xA4", 1, "\xC3", 0}, // a UTF-8 umlaut is no letter
        // Only space and tab are blanks.
        {"2 +\n3", 1, "\n", 3},
        {"2\r", 1, "\r", 1},
        {"\n", 1, "\n", 0},
        {"1\f", 1, "\f", 1},
        {"1\v+1", 1, "\v", 1},
    };
    for (const auto& c : cases) {
        Check(c);
    }
}

TEST_F(ExpressionErrorTest, SyntaxErrors) {
    const SErrorCase cases[] = {
        {"--2", 1, "-", 1},
        {"+-2", 1, "-", 1},
        {"*2", 1, "*", 0},
        {"2*", 1, "", 2},
        {"2 + ", 1, "", 4},
        {")", 1, ")", 0},
        {"1 + ^2", 1, "^", 4},
        {"sin(0 ,", 1, "", 7},
        {"(y z)", 1, ")", 4},
        {"(1+2", 2, "", 4},
        {"(1 2)", 2, "2", 3},
        {"((1)", 2, "", 4},
        {"(1,2)", 2, ",", 2},
        {"()", 8, ")", 1},
        {"sin()", 8, ")", 4},
        {"atan2(1,)", 8, ")", 8},
        {"atan2(,1)", 8, ",", 6},
        {"sin(", 1, "", 4},
        {"max(1,2)", 6, "max", 0},
        {"Sin(0)", 6, "Sin", 0},
        {"1 + foo (2)", 6, "foo", 4},
        {"atan2(1)", 7, "atan2", 0},
        {"1 + atan2(1)", 7, "atan2", 4},
        {"sin(1, 2)", 7, "sin", 0},
        {"if(1, 2)", 7, "if", 0},
        {"if(1, 2, 3, 4, 5)", 7, "if", 0},
        {"SetBit(1e10, 0)", 7, "SetBit", 0}, // no exponent: 'e10' is taken as the closing token
        {"", 9, "", 0},
        {"   ", 9, "", 3},
        {" \t ", 9, "", 3},
    };
    for (const auto& c : cases) {
        Check(c);
    }
}

TEST_F(ExpressionErrorTest, RuntimeErrors) {
    const SErrorCase cases[] = {
        {"x / 0", 3, "", 5},
        {"x % 0", 3, "", 5},
        {"1 / -0", 3, "", 6},
        {"1 / (x - 6) + 2", 3, "+", 12},
        {"x / 0 / 0", 3, "/", 6},
        {"if(1/0, 1, 2)", 3, ",", 6}, // every argument is evaluated
        {"1/0 + R4", 3, "+", 4},      // the first error stands
        {"PI", 4, "PI", 0},
        {"y + 1", 4, "y", 0},
        {"a_b", 4, "a", 0}, // looked up before the '_' is scanned
        {"R4", 4, "R4", 0},
        {"2 * R1000", 4, "R1000", 4},
        {"R2147483648", 4, "R2147483648", 0}, // beyond the 32-bit range, not wrapped
        {"R99999999999999999", 4, "R99999999999999", 0},
        {"abcdefghijklmnopqrst", 4, "abcdefghijklmno", 0},
        {"a z b z 3", 4, "b", 4}, // assignments do not chain
    };
    for (const auto& c : cases) {
        Check(c);
    }
}

// The recorded token is cut to 31 characters; the position still finds the whole of it.
TEST_F(ExpressionErrorTest, LongTokenIsRecordedByItsStart) {
    const std::string digits(40, '7');
    Check({"(1 " + digits + ")", 2, digits.substr(0, 31), 3});
}

TEST_F(ExpressionErrorTest, NestingIsBounded) {
    const auto nested = [](const std::string& open, int depth, const std::string& close) {
        std::string text;
        for (int i = 0; i < depth; ++i) {
            text += open;
        }
        text += "1";
        for (int i = 0; i < depth; ++i) {
            text += close;
        }
        return text;
    };
    const int limit = CExpressionParser::MAX_NESTING;
    const std::size_t tooDeep = static_cast<std::size_t>(limit);
    CExpressionParser parser;
    EXPECT_EQ(parser.Evaluate(nested("(", limit, ")").c_str()), 1.0);
    EXPECT_EQ(parser.Evaluate(nested("abs(", limit, ")").c_str()), 1.0);
    EXPECT_EQ(parser.Evaluate(nested("-(", limit, ")").c_str()), limit % 2 == 0 ? 1.0 : -1.0);

    Check({nested("(", limit + 1, ")"), 10, "(", tooDeep});
    Check({nested("abs(", limit + 1, ")"), 10, "abs", tooDeep * 4});
    Check({nested("(sin(", limit, "))"), 10, "(", tooDeep / 2 * 5});
    // Far beyond the limit: an error code, not an exhausted stack.
    Check({std::string(1000000, '('), 10, "(", tooDeep});
    Check({nested("sqrt(", 100000, ""), 10, "sqrt", tooDeep * 5});
}

TEST_F(ExpressionErrorTest, RecordIsResetBySuccess) {
    CExpressionParser parser;
    EXPECT_EQ(parser.Evaluate("1 +"), 0.0);
    EXPECT_EQ(parser.GetErrorCode(), 1);
    EXPECT_EQ(parser.Evaluate("1 + 1"), 2.0);
    EXPECT_EQ(parser.GetErrorCode(), 0);
    EXPECT_STREQ(parser.GetErrorToken(), "");
    EXPECT_EQ(parser.GetErrorPosition(), 0u);
    double result = 0.0;
    bool assigned = false;
    EXPECT_EQ(parser.EvaluateChecked(nullptr, result, assigned), 9);
}

TEST(ExpressionErrorMessages, AreTheSystemsTexts) {
    const char* const expected[] = {"Syntax error",
                                    "Unbalanced parenthesis",
                                    "Division by zero",
                                    "Unknown variable",
                                    "Maximum variables exceeded",
                                    "Unrecognised funtion",
                                    "Wrong number of arguments to funtion",
                                    "Missing an argument",
                                    "Empty expression",
                                    "Expression nested too deeply"};
    int code = 1;
    for (const char* text : expected) {
        EXPECT_STREQ(CExpressionParser::GetErrorMessage(code), text) << code;
        ++code;
    }
    for (const int unknown : {0, 11, -1}) {
        EXPECT_STREQ(CExpressionParser::GetErrorMessage(unknown), "") << unknown;
    }
}
