#include "WireProtocol.h"

#include <array>
#include <limits>

namespace {

// The white space "%d" skips, fixed rather than taken from the locale.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// One "%d" conversion at position; false (position unchanged) when no number starts there.
bool ReadNumber(std::string_view text, std::size_t& position, std::int32_t& number) {
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
    // Accumulate the magnitude in 64 bits and stop growing once it is past the 32-bit range:
    // a longer number saturates instead of overflowing.
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; at < text.size() && IsDigit(text[at]); ++at) {
        if (magnitude <= limit) {
            magnitude = magnitude * 10 + (text[at] - '0');
        }
    }
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue > std::numeric_limits<std::int32_t>::max()) {
        number = std::numeric_limits<std::int32_t>::max();
    } else if (signedValue < std::numeric_limits<std::int32_t>::min()) {
        number = std::numeric_limits<std::int32_t>::min();
    } else {
        number = static_cast<std::int32_t>(signedValue);
    }
    position = at;
    return true;
}

void AppendDecimal(std::string& out, std::int64_t number) {
    std::array<char, 24> digits{};
    std::size_t count = 0;
    const bool negative = number < 0;
    std::uint64_t magnitude =
        negative ? 0u - static_cast<std::uint64_t>(number) : static_cast<std::uint64_t>(number);
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10u);
        magnitude /= 10u;
    } while (magnitude != 0u);
    if (negative) {
        out += '-';
    }
    while (count > 0) {
        out += digits[--count];
    }
}

} // namespace

std::uint8_t WireChecksum(std::string_view text) {
    unsigned sum = 0;
    for (const char c : text) {
        sum += static_cast<unsigned char>(c);
    }
    return static_cast<std::uint8_t>(sum & 0xFFu);
}

std::string BuildRegisterLine(char letter, std::int32_t registerNumber, std::int32_t value) {
    std::string line(1, letter);
    AppendDecimal(line, registerNumber);
    line += ':';
    AppendDecimal(line, value);
    line += ';';
    AppendDecimal(line, WireChecksum(line));
    return line;
}

std::string BuildWriteRegisterMessage(std::int32_t registerNumber, std::int32_t value) {
    return BuildRegisterLine('S', registerNumber, value) + '\n';
}

SLineNumbers ReadLineNumbers(std::string_view text) {
    SLineNumbers numbers;
    std::size_t position = 0;
    std::int32_t* const fields[] = {&numbers.m_register, &numbers.m_value, &numbers.m_checksum};
    for (std::int32_t* field : fields) {
        if (!ReadNumber(text, position, *field)) {
            break;
        }
        ++numbers.m_count;
    }
    return numbers;
}
