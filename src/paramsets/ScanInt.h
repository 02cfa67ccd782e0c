#pragma once

#include <cstdint>
#include <string_view>

// One "%d" conversion from the start of the text (ReadDecimalInt). False, with the number
// untouched, when no number starts the text.
bool ScanInt(std::string_view text, std::int32_t& number);
