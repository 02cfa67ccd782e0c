#include "DecimalInt.h"

#include <algorithm>
#include <limits>

namespace {

// The white space "%d" skips, fixed rather than taken from the locale.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

bool ReadDecimalInt(std::string_view text, std::size_t& position, std::int32_t& number) {
    std::size_t at = position;
    while (at < text.size() && IsBlank(text[at])) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    if (at >= text.size() || !IsDigit(text[at])) {
        return false;
    }
    // The magnitude stops growing once it is past the 32-bit range, so any length saturates.
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; at < text.size() && IsDigit(text[at]); ++at) {
        magnitude = std::min(magnitude * 10 + (text[at] - '0'), limit);
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    number = static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
    position = at;
    return true;
}
