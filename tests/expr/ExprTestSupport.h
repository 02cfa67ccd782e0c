#pragma once

#include "ConfigFixture.h"
#include "expr/ExpressionParser.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

struct SResultCase {
    std::string m_text;
    double m_expected;
};

// The code, the recorded token and its offset in the text.
struct SErrorCase {
    std::string m_text;
    int m_code;
    std::string m_token;
    std::size_t m_position;
};

// One parser per test with x = 6 bound, as the panel binds an entered value. Formulas that read
// registers find R0 = 7, R5 = 42, R12 = -3, R999 = 1 and R2147483647 = 9 (the highest number).
// Cases of a table share the parser, so state left over by one case shows in the next.
class ExprTest : public ::testing::Test {
protected:
    ExprTest()
        : m_config(MakeConfigXml("<P Id=\"0\" Value=\"7\"/><P Id=\"5\" Value=\"42\"/>"
                                 "<P Id=\"12\" Value=\"-3\"/><P Id=\"999\" Value=\"1\"/>"
                                 "<P Id=\"2147483647\" Value=\"9\"/>")) {
        EXPECT_TRUE(m_parser.SetVariable("x", 6.0));
    }

    // Expects success and returns the value. Evaluate on the same object must agree, and
    // success clears the error record an earlier formula left.
    double Eval(const std::string& text, bool assignment = false) {
        double result = -1.0;
        bool assigned = !assignment;
        const int code = m_parser.EvaluateChecked(text.c_str(), result, assigned);
        EXPECT_EQ(code, 0) << '"' << text << "\": " << CExpressionParser::GetErrorMessage(code)
                           << " at " << m_parser.GetErrorPosition();
        EXPECT_EQ(assigned, assignment) << text;
        EXPECT_EQ(m_parser.Evaluate(text.c_str()), result) << "Evaluate: " << text;
        EXPECT_EQ(m_parser.GetErrorCode(), 0) << text;
        EXPECT_STREQ(m_parser.GetErrorToken(), "") << text;
        EXPECT_EQ(m_parser.GetErrorPosition(), 0u) << text;
        return result;
    }

    void Expect(const SResultCase& c) {
        EXPECT_DOUBLE_EQ(Eval(c.m_text), c.m_expected) << '"' << c.m_text << '"';
    }

    template <typename Cases> void ExpectAll(const Cases& cases) {
        for (const auto& c : cases) {
            Expect(c);
        }
    }

    int Code(const char* text) {
        double result = 0.0;
        bool assigned = false;
        return m_parser.EvaluateChecked(text, result, assigned);
    }

    // Expects the error from EvaluateChecked, and 0.0 with the same code from Evaluate.
    void Expect(const SErrorCase& c) {
        double result = -1.0;
        bool assigned = true;
        EXPECT_EQ(m_parser.EvaluateChecked(c.m_text.c_str(), result, assigned), c.m_code)
            << '"' << c.m_text << '"';
        EXPECT_EQ(result, 0.0) << c.m_text;
        EXPECT_FALSE(assigned) << c.m_text;
        EXPECT_EQ(m_parser.GetErrorToken(), c.m_token) << c.m_text;
        EXPECT_EQ(m_parser.GetErrorPosition(), c.m_position) << c.m_text;
        EXPECT_EQ(m_parser.Evaluate(c.m_text.c_str()), 0.0) << "Evaluate: " << c.m_text;
        EXPECT_EQ(m_parser.GetErrorCode(), c.m_code) << c.m_text;
    }

    CExpressionParser m_parser;

private:
    CConfigFixture m_config;
};
