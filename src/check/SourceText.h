#pragma once

#include "Diagnostic.h"

#include <cstddef>
#include <string>
#include <vector>

class TiXmlAttribute;
class TiXmlBase;

// The raw text of a parsed XML file, to turn TinyXML's locations and offsets inside attribute
// values into the lines and columns an editor shows: columns count characters (a tab is one),
// where TinyXML expands tabs and counts bytes unless it read the text as UTF-8.
class CSourceText {
public:
    // tinyXmlUtf8: whether TinyXML parsed the text in its UTF-8 mode.
    CSourceText(std::string text, bool tinyXmlUtf8, int tabSize);

    SSourcePosition PositionOfOffset(std::size_t offset) const;
    // TinyXML's 1-based row and column.
    SSourcePosition PositionOfLocation(int row, int column) const;
    // An element's or an attribute's start.
    SSourcePosition PositionOf(const TiXmlBase& node) const;
    // The character at offset of the attribute's decoded value, where the value is written.
    SSourcePosition PositionInValue(const TiXmlAttribute& attribute, std::size_t offset) const;

private:
    std::size_t OffsetOfLocation(int row, int column) const;
    // Bytes of the character that starts at offset, as TinyXML or as a reader counts it.
    std::size_t CharacterLength(std::size_t offset, bool utf8) const;
    // Raw bytes of one decoded unit of an attribute value starting at offset, and the bytes it
    // decodes to.
    void DecodeStep(std::size_t offset, std::size_t& raw, std::size_t& decoded) const;

    std::string m_text;
    bool m_tinyXmlUtf8;
    bool m_textUtf8;
    int m_tabSize;
    std::vector<std::size_t> m_lineStarts;
};
