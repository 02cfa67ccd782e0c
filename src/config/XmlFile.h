#pragma once

#include "platform/TextCodec.h"

#include <optional>
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
// The offset of the '<' of the first element that nests deeper than the limit, or npos.
std::size_t FindNestingExcess(std::string_view text, int limit);

// What the text says of its encoding: UTF-8 when it starts with a byte-order mark or its first
// declaration names UTF-8 (or no encoding), code page 1252 when that declaration names another;
// none when it has neither.
std::optional<ETextEncoding> DeclaredEncoding(std::string_view text, const TiXmlDocument& document);

// Parses a file with TiXmlDocument::LoadFile, refusing files nested beyond MAX_XML_DEPTH before
// TinyXML sees them. Valid UTF-8 is read as it declares itself, and as UTF-8 when it declares
// nothing but holds non-ASCII characters; anything else as code page 1252, whatever its
// declaration claims. False when the file cannot be read, is refused or is not well-formed.
bool LoadXmlFile(const std::string& path, TiXmlDocument& document, ETextEncoding& encoding);
