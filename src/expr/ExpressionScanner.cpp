#include "ExpressionScanner.h"

namespace {

// ASCII only: the <cctype> tests follow the locale and would let Latin-1 letters into names.
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDelimiterChar(char c) {
    switch (c) {
    case '+':
    case '-':
    case '*':
    case '/':
    case '%':
    case '^':
    case '(':
    case ')':
    case ',':
    case '=':
    case '<':
    case '>':
        return true;
    default:
        return false;
    }
}

} // namespace

void CExpressionScanner::Start(const char* text) {
    m_text = text;
    m_position = 0;
    m_tokenPosition = 0;
    m_tokenLength = 0;
    m_kind = ETokenKind::None;
}

void CExpressionScanner::SkipBlanks() {
    while (m_text[m_position] == ' ' || m_text[m_position] == '\t') {
        ++m_position;
    }
}

bool CExpressionScanner::NextToken() {
    SkipBlanks();
    m_tokenPosition = m_position;
    const char c = m_text[m_position];
    if (c == '\0') {
        m_kind = ETokenKind::None;
        m_tokenLength = 0;
        return true;
    }
    if (IsDelimiterChar(c)) {
        m_kind = ETokenKind::Delimiter;
        ++m_position;
        if ((c == '=' || c == '<' || c == '>') && m_text[m_position] == '=') {
            ++m_position;
        }
    } else if (IsDigit(c) || c == '.') {
        m_kind = ETokenKind::Number;
        while (IsDigit(m_text[m_position]) || m_text[m_position] == '.') {
            ++m_position;
        }
    } else if (IsLetter(c)) {
        m_kind = ETokenKind::Name;
        while (IsLetter(m_text[m_position]) || IsDigit(m_text[m_position]) ||
               m_text[m_position] == '.') {
            ++m_position;
        }
    } else {
        m_kind = ETokenKind::None;
        m_tokenLength = 1;
        return false;
    }
    m_tokenLength = m_position - m_tokenPosition;
    if (m_kind == ETokenKind::Name && m_tokenLength > MAX_NAME_LENGTH) {
        m_tokenLength = MAX_NAME_LENGTH;
    }
    SkipBlanks();
    return true;
}
