#include "SourceText.h"

#include "platform/TextCodec.h"

#include <tinyxml.h>

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace {

constexpr std::string_view BYTE_ORDER_MARK = "\xEF\xBB\xBF";

bool IsContinuation(unsigned char c) {
    return (c & 0xC0u) == 0x80u;
}

std::size_t Utf8Length(unsigned long codePoint) {
    return codePoint < 0x80 ? 1 : codePoint < 0x800 ? 2 : codePoint < 0x10000 ? 3 : 4;
}

} // namespace

CSourceText::CSourceText(std::string text, bool tinyXmlUtf8, int tabSize)
    : m_text(std::move(text)), m_tinyXmlUtf8(tinyXmlUtf8), m_textUtf8(IsValidUtf8(m_text)),
      m_tabSize(tabSize > 0 ? tabSize : 1) {
    // Line breaks as TinyXML reads them: "\r\n", a lone '\r' and '\n'.
    m_lineStarts.push_back(0);
    for (std::size_t i = 0; i < m_text.size(); ++i) {
        if (m_text[i] == '\r' && i + 1 < m_text.size() && m_text[i + 1] == '\n') {
            ++i;
        }
        if (m_text[i] == '\n' || m_text[i] == '\r') {
            m_lineStarts.push_back(i + 1);
        }
    }
}

std::size_t CSourceText::CharacterLength(std::size_t offset, bool utf8) const {
    if (m_text.compare(offset, BYTE_ORDER_MARK.size(), BYTE_ORDER_MARK) == 0) {
        return BYTE_ORDER_MARK.size(); // counts as no column, in every mode
    }
    std::size_t length = 1;
    while (utf8 && offset + length < m_text.size() &&
           IsContinuation(static_cast<unsigned char>(m_text[offset + length]))) {
        ++length;
    }
    return length;
}

SSourcePosition CSourceText::PositionOfOffset(std::size_t offset) const {
    offset = std::min(offset, m_text.size());
    const auto next = std::upper_bound(m_lineStarts.begin(), m_lineStarts.end(), offset);
    const std::size_t line = static_cast<std::size_t>(next - m_lineStarts.begin());
    int column = 1;
    for (std::size_t i = m_lineStarts[line - 1]; i < offset;) {
        const bool mark = m_text.compare(i, BYTE_ORDER_MARK.size(), BYTE_ORDER_MARK) == 0;
        i += CharacterLength(i, m_textUtf8);
        column += mark ? 0 : 1;
    }
    return {static_cast<int>(line), column};
}

std::size_t CSourceText::OffsetOfLocation(int row, int column) const {
    if (row < 1 || static_cast<std::size_t>(row) > m_lineStarts.size()) {
        return m_text.size();
    }
    std::size_t offset = m_lineStarts[static_cast<std::size_t>(row) - 1];
    const std::size_t end = static_cast<std::size_t>(row) < m_lineStarts.size()
                                ? m_lineStarts[static_cast<std::size_t>(row)]
                                : m_text.size();
    // Retrace TinyXML's count: a tab advances to the next tab stop, a character by one.
    int counted = 0;
    while (counted < column - 1 && offset < end) {
        if (m_text[offset] == '\t') {
            counted = (counted / m_tabSize + 1) * m_tabSize;
        } else if (m_text.compare(offset, BYTE_ORDER_MARK.size(), BYTE_ORDER_MARK) != 0) {
            ++counted;
        }
        offset += CharacterLength(offset, m_tinyXmlUtf8);
    }
    return offset;
}

SSourcePosition CSourceText::PositionOfLocation(int row, int column) const {
    return PositionOfOffset(OffsetOfLocation(row, column));
}

SSourcePosition CSourceText::PositionOf(const TiXmlBase& node) const {
    return PositionOfLocation(node.Row(), node.Column());
}

void CSourceText::DecodeStep(std::size_t offset, std::size_t& raw, std::size_t& decoded) const {
    raw = 1;
    decoded = 1;
    const char c = m_text[offset];
    if (c == '\r') {
        raw = offset + 1 < m_text.size() && m_text[offset + 1] == '\n' ? 2 : 1;
        return;
    }
    if (c != '&') {
        return;
    }
    // TinyXML's five named entities and character references; any other '&' stays as it is.
    const std::size_t semicolon = m_text.find(';', offset);
    if (semicolon == std::string::npos) {
        return;
    }
    const std::string entity = m_text.substr(offset, semicolon + 1 - offset);
    if (entity == "&amp;" || entity == "&lt;" || entity == "&gt;" || entity == "&quot;" ||
        entity == "&apos;") {
        raw = entity.size();
    } else if (entity.size() > 3 && entity[1] == '#') {
        raw = entity.size();
        const bool hex = entity[2] == 'x';
        const unsigned long codePoint =
            std::strtoul(entity.c_str() + (hex ? 3 : 2), nullptr, hex ? 16 : 10);
        decoded = m_tinyXmlUtf8 ? Utf8Length(codePoint) : 1;
    }
}

SSourcePosition CSourceText::PositionInValue(const TiXmlAttribute& attribute,
                                             std::size_t offset) const {
    // From the attribute's name over '=' and the opening quote to the value.
    std::size_t at = OffsetOfLocation(attribute.Row(), attribute.Column());
    at = std::min(m_text.find('=', at), m_text.size());
    at = std::min(m_text.find_first_not_of(" \t\r\n", at + 1), m_text.size());
    if (at < m_text.size() && (m_text[at] == '"' || m_text[at] == '\'')) {
        ++at;
    }
    std::size_t decoded = 0;
    while (decoded < offset && at < m_text.size()) {
        std::size_t rawStep = 1;
        std::size_t decodedStep = 1;
        DecodeStep(at, rawStep, decodedStep);
        at += rawStep;
        decoded += decodedStep;
    }
    return PositionOfOffset(at);
}
