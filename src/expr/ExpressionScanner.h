#pragma once

#include <cstddef>
#include <string_view>

enum class ETokenKind { None, Name, Delimiter, Number };

// Splits a formula into tokens on demand. Blanks are spaces and tabs only; delimiters are the
// twelve characters + - * / % ^ ( ) , = < > and the pairs ==, <=, >=; a number is a run of digits
// and '.'; a name starts with an ASCII letter and goes on with letters, digits and '.'. The text
// is read in place, so neither it nor a token has a length limit; a name token is its first 15
// characters (the rest of the run is consumed with it).
class CExpressionScanner {
public:
    static constexpr std::size_t MAX_NAME_LENGTH = 15;

    // Points the scanner at a NUL-terminated text that must outlive the scanning.
    void Start(const char* text);

    // Scans the next token and skips the blanks after it. Returns false for a character that
    // begins no token; the token is then that one character.
    bool NextToken();

    ETokenKind GetKind() const { return m_kind; }
    std::string_view GetToken() const { return {m_text + m_tokenPosition, m_tokenLength}; }
    // Offset of the token in the text; the text's length for the empty token at the end.
    std::size_t GetTokenPosition() const { return m_tokenPosition; }
    // Whether the token is a delimiter beginning with this character.
    bool IsDelimiter(char first) const {
        return m_kind == ETokenKind::Delimiter && m_text[m_tokenPosition] == first;
    }
    // The character after the token and its trailing blanks, '\0' at the end.
    char PeekNext() const { return m_text[m_position]; }

private:
    void SkipBlanks();

    const char* m_text = "";
    std::size_t m_position = 0;
    std::size_t m_tokenPosition = 0;
    std::size_t m_tokenLength = 0;
    ETokenKind m_kind = ETokenKind::None;
};
