#include "ExpressionParser.h"

#include "Builtins.h"
#include "ConfigurationRegisters.h"
#include "DecimalReader.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>

namespace {

const char* const s_messages[] = {
    "Syntax error",
    "Unbalanced parenthesis",
    "Division by zero",
    "Unknown variable",
    "Maximum variables exceeded",
    "Unrecognised funtion",
    "Wrong number of arguments to funtion",
    "Missing an argument",
    "Empty expression",
    "Expression nested too deeply",
};

// The digits after the 'R' read like atoi: leading digits only, none gives register 0. A number
// beyond the 32-bit range names no register rather than wrapping onto another one.
bool ReadRegister(IRegisterReader& registers, std::string_view digits, double& value) {
    std::int64_t number = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            break;
        }
        number = number * 10 + (c - '0');
        if (number > std::numeric_limits<std::int32_t>::max()) {
            return false;
        }
    }
    return registers.ReadRegister(static_cast<std::int32_t>(number), value);
}

} // namespace

// The variable table starts with every slot free.
CExpressionParser::CExpressionParser() : m_registers(&CConfigurationRegisters::ProcessWide()) {}

CExpressionParser::CExpressionParser(IRegisterReader& registers) : m_registers(&registers) {}

bool CExpressionParser::SetVariable(const char* name, double value) {
    return name != nullptr && m_variables.Set(name, value);
}

bool CExpressionParser::RemoveVariable(const char* name) {
    return name != nullptr && m_variables.Remove(name);
}

void CExpressionParser::ClearVariables() {
    m_variables.Clear();
}

bool CExpressionParser::ReadValue(std::string_view name, double& value) const {
    if (name.empty()) {
        return false;
    }
    if (name[0] == 'R') {
        return ReadRegister(*m_registers, name.substr(1), value);
    }
    if (const double* variable = m_variables.Find(name)) {
        value = *variable;
        return true;
    }
    return FindConstant(name, value);
}

double CExpressionParser::Evaluate(const char* expression) {
    double result = 0.0;
    bool assigned = false;
    EvaluateChecked(expression, result, assigned);
    return result;
}

int CExpressionParser::EvaluateChecked(const char* expression, double& result, bool& assigned) {
    m_errorCode = ERROR_NONE;
    m_errorToken[0] = '\0';
    m_errorPosition = 0;
    m_depth = 0;
    result = 0.0;
    assigned = false;
    m_scanner.Start(expression != nullptr ? expression : "");
    if (!Next()) {
        return m_errorCode;
    }
    if (m_scanner.GetKind() == ETokenKind::None) {
        Raise(ERROR_EMPTY_EXPRESSION);
        return m_errorCode;
    }
    bool wasAssignment = false;
    const double value = ParseAssignment(wasAssignment);
    if (Failed()) {
        return m_errorCode;
    }
    // Whatever follows a complete expression is ignored.
    result = value;
    assigned = wasAssignment;
    return ERROR_NONE;
}

const char* CExpressionParser::GetErrorMessage(int code) {
    if (code < 1 || code > static_cast<int>(std::size(s_messages))) {
        return "";
    }
    return s_messages[code - 1];
}

// "name z value" stores the value, "name z" alone removes the variable. The word after the name
// only has to begin with 'z'. The value is a sum, so assignments do not chain.
double CExpressionParser::ParseAssignment(bool& assigned) {
    if (m_scanner.GetKind() != ETokenKind::Name || m_scanner.PeekNext() != 'z') {
        return ParseSum();
    }
    const std::string_view name = m_scanner.GetToken();
    assigned = true;
    if (!Next() || !Next()) {
        return 0.0;
    }
    if (m_scanner.GetKind() == ETokenKind::None) {
        m_variables.Remove(name);
        return 0.0;
    }
    const double value = ParseSum();
    if (Failed()) {
        return 0.0;
    }
    if (!m_variables.Set(name, value)) {
        Raise(ERROR_TOO_MANY_VARIABLES);
        return 0.0;
    }
    return value;
}

double CExpressionParser::ParseSum() {
    double result = ParseProduct();
    while (!Failed() && (m_scanner.IsDelimiter('+') || m_scanner.IsDelimiter('-'))) {
        const bool add = m_scanner.IsDelimiter('+');
        if (!Next()) {
            return 0.0;
        }
        const double right = ParseProduct();
        if (Failed()) {
            return 0.0;
        }
        result = add ? result + right : result - right;
    }
    return result;
}

// The comparisons share the level of '*', so '1 + 2 < 4' is 1 + (2 < 4). Each is decided by its
// own token: '=' and '==' are equality, and there is no inequality.
double CExpressionParser::ParseProduct() {
    double result = ParsePower();
    while (!Failed() && m_scanner.GetKind() == ETokenKind::Delimiter) {
        const std::string_view token = m_scanner.GetToken();
        const char op = token[0];
        if (op != '*' && op != '/' && op != '%' && op != '=' && op != '<' && op != '>') {
            break;
        }
        const bool orEqual = token.size() == 2;
        if (!Next()) {
            return 0.0;
        }
        const double right = ParsePower();
        if (Failed()) {
            return 0.0;
        }
        if ((op == '/' || op == '%') && right == 0.0) {
            if (m_stopOnDivisionByZero) {
                Raise(ERROR_DIVISION_BY_ZERO);
                return 0.0;
            }
            result = 0.0;
            continue;
        }
        switch (op) {
        case '*':
            result *= right;
            break;
        case '/':
            result /= right;
            break;
        case '%':
            result = std::fmod(result, right);
            break;
        case '=':
            result = result == right ? 1.0 : 0.0;
            break;
        case '<':
            result = (orEqual ? result <= right : result < right) ? 1.0 : 0.0;
            break;
        default:
            result = (orEqual ? result >= right : result > right) ? 1.0 : 0.0;
            break;
        }
    }
    return result;
}

// A single '^': in '2^3^2' the second one ends the expression.
double CExpressionParser::ParsePower() {
    const double base = ParseSign();
    if (Failed() || !m_scanner.IsDelimiter('^')) {
        return base;
    }
    if (!Next()) {
        return 0.0;
    }
    const double exponent = ParseSign();
    if (Failed()) {
        return 0.0;
    }
    return std::pow(base, exponent);
}

// A single sign, binding tighter than '^': '-2^2' is 4 and '--2' is a syntax error.
double CExpressionParser::ParseSign() {
    const bool negate = m_scanner.IsDelimiter('-');
    if ((negate || m_scanner.IsDelimiter('+')) && !Next()) {
        return 0.0;
    }
    const double value = ParsePrimary();
    return negate ? -value : value;
}

double CExpressionParser::ParsePrimary() {
    const std::string_view token = m_scanner.GetToken();
    switch (m_scanner.GetKind()) {
    case ETokenKind::Number: {
        const double value = ReadDecimal(token.data(), token.data() + token.size());
        Next();
        return value;
    }
    case ETokenKind::Name:
        return m_scanner.PeekNext() == '(' ? ParseCall() : ParseName();
    case ETokenKind::Delimiter:
        if (m_scanner.IsDelimiter('(')) {
            return ParseGroup();
        }
        break;
    case ETokenKind::None:
        break;
    }
    Raise(ERROR_SYNTAX);
    return 0.0;
}

// An assignment may stand inside parentheses.
double CExpressionParser::ParseGroup() {
    if (!Enter() || !Next()) {
        return 0.0;
    }
    if (m_scanner.IsDelimiter(')')) {
        Raise(ERROR_MISSING_ARGUMENT);
        return 0.0;
    }
    bool assigned = false;
    const double value = ParseAssignment(assigned);
    if (Failed()) {
        return 0.0;
    }
    if (!m_scanner.IsDelimiter(')')) {
        Raise(ERROR_UNBALANCED_PARENTHESIS);
        return 0.0;
    }
    --m_depth;
    Next();
    return value;
}

// Every argument is evaluated (no short cut, not even for 'if'). The token after the last
// argument is consumed without being looked at, so 'sin(0' is accepted.
double CExpressionParser::ParseCall() {
    const std::string_view name = m_scanner.GetToken();
    const std::size_t namePosition = m_scanner.GetTokenPosition();
    const SFunction* function = FindFunction(name);
    if (function == nullptr) {
        Raise(ERROR_UNKNOWN_FUNCTION);
        return 0.0;
    }
    if (!Enter() || !Next()) {
        return 0.0;
    }
    std::array<double, MAX_ARGUMENTS> arguments{};
    std::size_t count = 0;
    do {
        if (!Next()) {
            return 0.0;
        }
        if (m_scanner.IsDelimiter(')') || m_scanner.IsDelimiter(',')) {
            Raise(ERROR_MISSING_ARGUMENT);
            return 0.0;
        }
        bool assigned = false;
        arguments[count++] = ParseAssignment(assigned);
        if (Failed()) {
            return 0.0;
        }
    } while (count < MAX_ARGUMENTS && m_scanner.IsDelimiter(','));
    --m_depth;
    if (!Next()) {
        return 0.0;
    }
    if (count != static_cast<std::size_t>(function->m_argumentCount)) {
        Raise(ERROR_ARGUMENT_COUNT, function->m_name, namePosition);
        return 0.0;
    }
    return function->m_function(arguments.data());
}

double CExpressionParser::ParseName() {
    double value = 0.0;
    if (!ReadValue(m_scanner.GetToken(), value)) {
        Raise(ERROR_UNKNOWN_VARIABLE);
        return 0.0;
    }
    Next();
    return value;
}

bool CExpressionParser::Next() {
    if (m_scanner.NextToken()) {
        return true;
    }
    Raise(ERROR_SYNTAX);
    return false;
}

bool CExpressionParser::Enter() {
    if (m_depth == MAX_NESTING) {
        Raise(ERROR_NESTED_TOO_DEEPLY);
        return false;
    }
    ++m_depth;
    return true;
}

void CExpressionParser::Raise(int code) {
    Raise(code, m_scanner.GetToken(), m_scanner.GetTokenPosition());
}

void CExpressionParser::Raise(int code, std::string_view token, std::size_t position) {
    if (Failed()) {
        return; // the first error stands
    }
    m_errorCode = code;
    const std::size_t length = std::min(token.size(), MAX_ERROR_TOKEN_LENGTH);
    std::copy_n(token.begin(), length, m_errorToken.begin());
    m_errorToken[length] = '\0';
    m_errorPosition = position;
}
