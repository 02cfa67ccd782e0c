#pragma once

#include "platform/TextCodec.h"

#include <string>
#include <string_view>

class TiXmlDocument;

// Deepest element nesting accepted. TinyXML parses (and destroys) recursively, so a hostile file
// nested tens of thousands of levels deep would overflow the stack; real files need under ten.
constexpr int MAX_XML_DEPTH = 512;

// True when elements in the text nest deeper than the limit. Comments, CDATA sections,
// declarations, processing instructions and quoted attribute values are skipped, so markup
// inside them never counts.
bool ExceedsNestingDepth(std::string_view text, int limit);

// How TinyXML reads the text: UTF-8 when it starts with a byte-order mark or its first
// declaration names UTF-8 (or no encoding), code page 1252 otherwise.
ETextEncoding DetectEncoding(std::string_view text, const TiXmlDocument& document);

// Parses a file with TiXmlDocument::LoadFile, refusing files nested beyond MAX_XML_DEPTH before
// TinyXML sees them. Valid UTF-8 is parsed with TinyXML's default encoding rules; anything else
// as code page 1252, whatever its declaration claims.
// False when the file cannot be read, is refused or is not well-formed.
bool LoadXmlFile(const std::string& path, TiXmlDocument& document, ETextEncoding& encoding);
