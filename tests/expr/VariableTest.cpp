// Variables: SetVariable, assignments in formulas, their lifetime and the table's limits.
#include "ExprTestSupport.h"

#include <string>

namespace {

constexpr bool ASSIGNS = true;
constexpr int UNKNOWN = CExpressionParser::ERROR_UNKNOWN_VARIABLE;

// One formula of a sequence on the same parser: its value and whether it assigned, or the error
// it fails with when m_code is set.
struct SStep {
    const char* m_text;
    double m_value;
    bool m_assignment = false;
    int m_code = 0;
};

} // namespace

class VariableTest : public ExprTest {
protected:
    void Run(std::initializer_list<SStep> steps) {
        for (const SStep& step : steps) {
            if (step.m_code != 0) {
                EXPECT_EQ(Code(step.m_text), step.m_code) << step.m_text;
            } else {
                EXPECT_EQ(Eval(step.m_text, step.m_assignment), step.m_value) << step.m_text;
            }
        }
    }
};

// Each formula is a further evaluation on the same object, which sees what the earlier ones
// assigned; an assignment without a value removes. The assignment word only has to begin with
// 'z', 'yz' is one name, a newline is no blank, and removing an absent variable is no error.
// Inside parentheses and arguments only a whole-formula assignment reports as one, every
// argument is evaluated, and assignments before an error stay. A name beginning with 'R' is a
// register reference when read, whatever was assigned to it.
TEST_F(VariableTest, AssignmentsStoreAndRemove) {
    // clang-format off
    Run({
        {"y z 3", 3, ASSIGNS}, {"y * 2", 6}, {"y z 1 + 2", 3, ASSIGNS}, {"y zz 5", 5, ASSIGNS},
        {"y", 5}, {"y\tz\t7", 7, ASSIGNS}, {"yz 3", 0, false, UNKNOWN},
        {"y\nz 3", 0, false, CExpressionParser::ERROR_SYNTAX}, {"y", 7}, {"y z", 0, ASSIGNS},
        {"y", 0, false, UNKNOWN}, {"never z  ", 0, ASSIGNS},
        {"(y z 3) + y", 6}, {"sin(a z 0) + a", 0}, {"if(1, b z 2, c z 3) + b + c", 7}, {"y", 3},
        {"(d z 1) + (f z 1/0)", 0, false, CExpressionParser::ERROR_DIVISION_BY_ZERO}, {"d", 1},
        {"f", 0, false, UNKNOWN},
        {"R5 z 3", 3, ASSIGNS}, {"R5", 42}, {"R5 z", 0, ASSIGNS}, {"R5", 42},
    });
    // clang-format on
    EXPECT_TRUE(m_parser.SetVariable("R4", 1.0));
    EXPECT_EQ(Code("R4"), UNKNOWN);
}

TEST_F(VariableTest, SetVariableReplacesRemovesHidesConstantsAndCutsNames) {
    EXPECT_EQ(Eval("e"), 2.718281828459045);
    EXPECT_TRUE(m_parser.SetVariable("e", 1.0));
    EXPECT_EQ(Eval("e"), 1.0);
    EXPECT_TRUE(m_parser.SetVariable("x", 2.0));
    EXPECT_EQ(Eval("x"), 2.0);
    EXPECT_TRUE(m_parser.RemoveVariable("x"));
    EXPECT_FALSE(m_parser.RemoveVariable("x"));
    // Names are case-sensitive.
    Run({{"x", 0, false, UNKNOWN}, {"X z 1", 1, ASSIGNS}, {"x", 0, false, UNKNOWN}});
    m_parser.ClearVariables();
    Run({{"X", 0, false, UNKNOWN}, {"e", 2.718281828459045}});
    EXPECT_FALSE(m_parser.SetVariable("", 1.0));
    EXPECT_FALSE(m_parser.SetVariable(nullptr, 1.0));
    EXPECT_FALSE(m_parser.RemoveVariable(nullptr));

    // Names count by their first 15 characters, in formulas and in SetVariable alike.
    Run({{"abcdefghijklmnopqrst z 4", 4, ASSIGNS},
         {"abcdefghijklmnoXYZ", 4},
         {"abcdefghijklmn", 0, false, UNKNOWN}});
    EXPECT_TRUE(m_parser.SetVariable("ABCDEFGHIJKLMNOPQRSTUVWXYZ", 5.0));
    EXPECT_EQ(Eval("ABCDEFGHIJKLMNO"), 5.0);
    EXPECT_TRUE(m_parser.SetVariable("ABCDEFGHIJKLMNO", 6.0)) << "the same variable";
    EXPECT_EQ(Eval("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), 6.0);
    EXPECT_TRUE(m_parser.RemoveVariable("ABCDEFGHIJKLMNO-anything"));
    EXPECT_EQ(Code("ABCDEFGHIJKLMNO"), UNKNOWN);
}

TEST_F(VariableTest, FiftySlots) {
    m_parser.ClearVariables();
    for (int i = 0; i < 50; ++i) {
        EXPECT_TRUE(m_parser.SetVariable(("v" + std::to_string(i)).c_str(), i)) << i;
    }
    EXPECT_FALSE(m_parser.SetVariable("extra", 1.0));
    Expect({"extra z 1", CExpressionParser::ERROR_TOO_MANY_VARIABLES, "", 9});
    EXPECT_EQ(Code("extra"), UNKNOWN);
    // Replacing a variable frees its slot first, so it works in a full table.
    EXPECT_EQ(Eval("v7 z 70", true), 70.0);
    EXPECT_TRUE(m_parser.SetVariable("v8", 80.0));
    EXPECT_EQ(Eval("v7 + v8 + v49"), 199.0);
    // A freed slot is taken by the next new name.
    EXPECT_EQ(Eval("v3 z", true), 0.0);
    EXPECT_TRUE(m_parser.SetVariable("extra", 1.0));
    EXPECT_FALSE(m_parser.SetVariable("another", 1.0));
}

TEST_F(VariableTest, EachObjectStartsEmptyAndKeepsItsOwnVariables) {
    CExpressionParser other;
    EXPECT_EQ(other.Evaluate("x"), 0.0);
    EXPECT_EQ(other.GetErrorCode(), UNKNOWN);
    EXPECT_TRUE(other.SetVariable("x", 2.0));
    EXPECT_EQ(Eval("x"), 6.0) << "a second object does not empty the first one's table";
    EXPECT_EQ(other.Evaluate("x"), 2.0);
}
