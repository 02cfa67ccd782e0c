#pragma once

#include <string>
#include <string_view>

// Texts from XML files are narrow byte strings. A document read as UTF-8 holds UTF-8; any other
// (typically written on a Windows CE handheld) holds Windows code page 1252. Everything shown on
// screen or used as a Linux file name is UTF-8, so texts pass through here on their way out.

enum class ETextEncoding { Utf8, Cp1252 };

std::string Cp1252ToUtf8(std::string_view text);

// Characters that code page 1252 cannot hold, and malformed UTF-8, become '?'.
std::string Utf8ToCp1252(std::string_view text);

// Strict UTF-8: no overlong forms, surrogates, code points past U+10FFFF or cut sequences.
bool IsValidUtf8(std::string_view text);

// Converts a text of the given encoding to UTF-8; UTF-8 passes unchanged.
std::string ToUtf8(std::string_view text, ETextEncoding encoding);
