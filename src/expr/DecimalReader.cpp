#include "DecimalReader.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <system_error>

namespace {

// Every power of ten up to 10^22 is exact in a double.
constexpr double s_powersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                    1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                    1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int MAX_EXACT_POWER = 22;
constexpr std::uint64_t MAX_EXACT_MANTISSA = std::uint64_t{1} << 53;
constexpr int MAX_FAST_DIGITS = 19; // fits an unsigned 64-bit integer

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Called when from_chars reports a result out of range: a non-zero digit before the point means
// the value overflowed, otherwise it underflowed.
double OutOfRange(const char* begin, const char* end) {
    for (const char* p = begin; p != end && IsDigit(*p); ++p) {
        if (*p != '0') {
            return std::numeric_limits<double>::infinity();
        }
    }
    return 0.0;
}

double ReadSlowly(const char* begin, const char* end) {
    double value = 0.0;
    const std::from_chars_result read =
        std::from_chars(begin, end, value, std::chars_format::fixed);
    if (read.ec == std::errc::result_out_of_range) {
        return OutOfRange(begin, end);
    }
    return read.ec == std::errc() ? value : 0.0;
}

} // namespace

double ReadDecimal(const char* begin, const char* end) {
    // Formula numbers are short: an integer mantissa below 2^53 divided by an exact power of ten
    // is correctly rounded, which settles them without the general conversion.
    std::uint64_t mantissa = 0;
    int significantDigits = 0;
    int fractionDigits = 0;
    bool seenPoint = false;
    for (const char* p = begin; p != end; ++p) {
        const char c = *p;
        if (c == '.') {
            if (seenPoint) {
                break;
            }
            seenPoint = true;
            continue;
        }
        if (!IsDigit(c)) {
            break;
        }
        if (significantDigits == MAX_FAST_DIGITS) {
            return ReadSlowly(begin, end);
        }
        mantissa = mantissa * 10u + static_cast<std::uint64_t>(c - '0');
        if (mantissa != 0) {
            ++significantDigits;
        }
        if (seenPoint) {
            ++fractionDigits;
        }
    }
    if (mantissa > MAX_EXACT_MANTISSA || fractionDigits > MAX_EXACT_POWER) {
        return ReadSlowly(begin, end);
    }
    return static_cast<double>(mantissa) / s_powersOfTen[fractionDigits];
}
