// Variables: SetVariable, assignments in formulas, their lifetime and the table's limits.
#include "ExprTestSupport.h"

#include <string>

class VariableTest : public ExprTest {};

// Each formula is a further evaluation on the same object, which sees what the earlier ones
// assigned; an assignment without a value removes.
TEST_F(VariableTest, AssignmentsStoreAndRemove) {
    EXPECT_EQ(Eval("y z 3", true), 3.0);
    EXPECT_EQ(Eval("y * 2"), 6.0);
    EXPECT_EQ(Eval("y z 1 + 2", true), 3.0);
    EXPECT_EQ(Eval("y zz 5", true), 5.0) << "the word only has to begin with 'z'";
    EXPECT_EQ(Eval("y"), 5.0);
    EXPECT_EQ(Eval("y\tz\t7", true), 7.0);
    EXPECT_EQ(Code("yz 3"), CExpressionParser::ERROR_UNKNOWN_VARIABLE) << "'yz' is one name";
    EXPECT_EQ(Code("y\nz 3"), CExpressionParser::ERROR_SYNTAX) << "a newline is no blank";
    EXPECT_EQ(Eval("y"), 7.0);
    EXPECT_EQ(Eval("y z", true), 0.0);
    EXPECT_EQ(Code("y"), CExpressionParser::ERROR_UNKNOWN_VARIABLE);
    EXPECT_EQ(Eval("never z  ", true), 0.0) << "removing an absent variable is no error";

    // Inside parentheses and arguments; assignments before an error stay.
    EXPECT_EQ(Eval("(y z 3) + y"), 6.0) << "only a whole-formula assignment reports as one";
    EXPECT_EQ(Eval("sin(a z 0) + a"), 0.0);
    EXPECT_EQ(Eval("if(1, b z 2, c z 3) + b + c"), 7.0) << "every argument is evaluated";
    EXPECT_EQ(Eval("y"), 3.0);
    EXPECT_EQ(Code("(d z 1) + (f z 1/0)"), CExpressionParser::ERROR_DIVISION_BY_ZERO);
    EXPECT_EQ(Eval("d"), 1.0);
    EXPECT_EQ(Code("f"), CExpressionParser::ERROR_UNKNOWN_VARIABLE);

    // A name beginning with 'R' is a register reference when read, whatever was assigned to it.
    EXPECT_EQ(Eval("R5 z 3", true), 3.0);
    EXPECT_EQ(Eval("R5"), 42.0);
    EXPECT_TRUE(m_parser.SetVariable("R4", 1.0));
    EXPECT_EQ(Code("R4"), CExpressionParser::ERROR_UNKNOWN_VARIABLE);
    EXPECT_EQ(Eval("R5 z", true), 0.0);
    EXPECT_EQ(Eval("R5"), 42.0);
}

TEST_F(VariableTest, SetVariableReplacesRemovesHidesConstantsAndCutsNames) {
    EXPECT_EQ(Eval("e"), 2.718281828459045);
    EXPECT_TRUE(m_parser.SetVariable("e", 1.0));
    EXPECT_EQ(Eval("e"), 1.0);
    EXPECT_TRUE(m_parser.SetVariable("x", 2.0));
    EXPECT_EQ(Eval("x"), 2.0);
    EXPECT_TRUE(m_parser.RemoveVariable("x"));
    EXPECT_FALSE(m_parser.RemoveVariable("x"));
    EXPECT_EQ(Code("x"), CExpressionParser::ERROR_UNKNOWN_VARIABLE);
    EXPECT_EQ(Eval("X z 1", true), 1.0);
    EXPECT_EQ(Code("x"), CExpressionParser::ERROR_UNKNOWN_VARIABLE) << "names are case-sensitive";
    m_parser.ClearVariables();
    EXPECT_EQ(Code("X"), CExpressionParser::ERROR_UNKNOWN_VARIABLE);
    EXPECT_EQ(Eval("e"), 2.718281828459045);
    EXPECT_FALSE(m_parser.SetVariable("", 1.0));
    EXPECT_FALSE(m_parser.SetVariable(nullptr, 1.0));
    EXPECT_FALSE(m_parser.RemoveVariable(nullptr));

    // Names count by their first 15 characters, in formulas and in SetVariable alike.
    EXPECT_EQ(Eval("abcdefghijklmnopqrst z 4", true), 4.0);
    EXPECT_EQ(Eval("abcdefghijklmnoXYZ"), 4.0);
    EXPECT_EQ(Code("abcdefghijklmn"), CExpressionParser::ERROR_UNKNOWN_VARIABLE);
    EXPECT_TRUE(m_parser.SetVariable("ABCDEFGHIJKLMNOPQRSTUVWXYZ", 5.0));
    EXPECT_EQ(Eval("ABCDEFGHIJKLMNO"), 5.0);
    EXPECT_TRUE(m_parser.SetVariable("ABCDEFGHIJKLMNO", 6.0)) << "the same variable";
    EXPECT_EQ(Eval("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), 6.0);
    EXPECT_TRUE(m_parser.RemoveVariable("ABCDEFGHIJKLMNO-anything"));
    EXPECT_EQ(Code("ABCDEFGHIJKLMNO"), CExpressionParser::ERROR_UNKNOWN_VARIABLE);
}

TEST_F(VariableTest, FiftySlots) {
    m_parser.ClearVariables();
    for (int i = 0; i < 50; ++i) {
        EXPECT_TRUE(m_parser.SetVariable(("v" + std::to_string(i)).c_str(), i)) << i;
    }
    EXPECT_FALSE(m_parser.SetVariable("extra", 1.0));
    Expect({"extra z 1", CExpressionParser::ERROR_TOO_MANY_VARIABLES, "", 9});
    EXPECT_EQ(Code("extra"), CExpressionParser::ERROR_UNKNOWN_VARIABLE);
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
    EXPECT_EQ(other.GetErrorCode(), CExpressionParser::ERROR_UNKNOWN_VARIABLE);
    EXPECT_TRUE(other.SetVariable("x", 2.0));
    EXPECT_EQ(Eval("x"), 6.0) << "a second object does not empty the first one's table";
    EXPECT_EQ(other.Evaluate("x"), 2.0);
}
