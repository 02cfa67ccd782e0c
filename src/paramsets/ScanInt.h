#pragma once

#include <cstdint>
#include <string_view>

// One "%d" conversion from the start of the text: leading white space skipped, an optional
// sign, decimal digits; reading stops at the first character that cannot continue the number,
// so "12abc" gives 12. Numbers beyond the 32-bit range saturate instead of wrapping.
// False, with the number untouched, when no number starts the text.
bool ScanInt(std::string_view text, std::int32_t& number);
