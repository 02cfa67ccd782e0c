#pragma once

#include "ExpressionScanner.h"
#include "RegisterReader.h"
#include "VariableTable.h"

#include <array>
#include <cstddef>
#include <string_view>

// Evaluates the small arithmetic formulas of input and output formulas: scans and evaluates in
// one recursive-descent pass, without building a tree and without allocating. Besides numbers,
// variables and the constants pi and e, a formula reads device registers as 'R' + number.
//
// Precedence, lowest first: assignment ("name z value"), + -, then * / % and the comparisons
// = == < <= > >= all on one level, one ^, one sign, and primaries. Tokens left over after a
// complete expression are ignored ("1 2" is 1).
//
// Every object has its own scanner, error record and variables; construction empties the
// variables and they live from one evaluation to the next within the object. Not thread-safe:
// one object belongs to one thread. Registers are read from the process-wide store unless the
// object is given another reader.
//
// Texts of any length are evaluated in full, read in place: nothing is copied or cut, so a long
// formula or a long run of digits counts entirely. Names count by their first 15 characters.
class CExpressionParser {
public:
    static constexpr int ERROR_NONE = 0;
    static constexpr int ERROR_SYNTAX = 1;
    static constexpr int ERROR_UNBALANCED_PARENTHESIS = 2;
    static constexpr int ERROR_DIVISION_BY_ZERO = 3;
    static constexpr int ERROR_UNKNOWN_VARIABLE = 4;
    static constexpr int ERROR_TOO_MANY_VARIABLES = 5;
    static constexpr int ERROR_UNKNOWN_FUNCTION = 6;
    static constexpr int ERROR_ARGUMENT_COUNT = 7;
    static constexpr int ERROR_MISSING_ARGUMENT = 8;
    static constexpr int ERROR_EMPTY_EXPRESSION = 9;
    // Parentheses and function calls nested deeper than MAX_NESTING. Real formulas nest a few
    // levels; the bound keeps a hostile text from exhausting the stack.
    static constexpr int ERROR_NESTED_TOO_DEEPLY = 10;
    static constexpr int MAX_NESTING = 100;
    static constexpr int MAX_ARGUMENTS = 4;
    // The error token is recorded by at most this many characters (only a long run of digits
    // can exceed it); the error position locates the whole token.
    static constexpr std::size_t MAX_ERROR_TOKEN_LENGTH = 31;

    CExpressionParser();
    // Reads registers through the given reader, which must outlive the object.
    explicit CExpressionParser(IRegisterReader& registers);
    virtual ~CExpressionParser() = default;

    // Removes any variable of that name, then stores it in the lowest-numbered free slot. A name
    // longer than 15 characters is stored under its first 15, which is how a formula refers to
    // it. False for a null or empty name or when all 50 slots are taken.
    bool SetVariable(const char* name, double value);
    bool RemoveVariable(const char* name);
    void ClearVariables();
    // A register reference ('R' + decimal digits, never a variable), else a variable, else a
    // constant; false when the name is none of them.
    bool ReadValue(std::string_view name, double& value) const;

    // The formula's value, or 0.0 after any error.
    double Evaluate(const char* expression);
    // Returns 0 and the value, or the error code with result 0.0. assigned tells whether the
    // whole formula was an assignment. A null expression counts as empty.
    int EvaluateChecked(const char* expression, double& result, bool& assigned);

    // The record of the last evaluation's error: its code (0 after success), the token current
    // when it was raised (the function's name for codes 6 and 7) and the offset of that token in
    // the text (the text's length when the text had ended).
    int GetErrorCode() const { return m_errorCode; }
    const char* GetErrorToken() const { return m_errorToken.data(); }
    std::size_t GetErrorPosition() const { return m_errorPosition; }

    // Whether a division by zero ends the evaluation with its error (the default). Whoever checks
    // a formula as written lets it yield 0 instead, so that the rest of the formula is still read:
    // a divisor is zero only for the values of the moment.
    void SetStopOnDivisionByZero(bool stop) { m_stopOnDivisionByZero = stop; }

    // The message for an error code; "" for 0 and for unknown codes.
    static const char* GetErrorMessage(int code);

private:
    double ParseAssignment(bool& assigned);
    double ParseSum();
    double ParseProduct();
    double ParsePower();
    double ParseSign();
    double ParsePrimary();
    double ParseGroup();
    double ParseCall();
    double ParseName();

    bool Next();
    bool Enter();
    void Raise(int code);
    void Raise(int code, std::string_view token, std::size_t position);
    bool Failed() const { return m_errorCode != ERROR_NONE; }

    IRegisterReader* m_registers;
    CExpressionScanner m_scanner;
    CVariableTable m_variables;
    int m_errorCode = ERROR_NONE;
    std::array<char, MAX_ERROR_TOKEN_LENGTH + 1> m_errorToken{};
    std::size_t m_errorPosition = 0;
    int m_depth = 0;
    bool m_stopOnDivisionByZero = true;
};
