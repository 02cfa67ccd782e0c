#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// One "%d" conversion at position, the same in every locale: white space skipped, an optional
// sign, decimal digits; reading stops at the first character that cannot continue the number,
// so "12abc" gives 12. Numbers beyond the 32-bit range saturate instead of wrapping. On success
// position moves past the digits; false, with position and number untouched, when no number
// starts there.
bool ReadDecimalInt(std::string_view text, std::size_t& position, std::int32_t& number);
