#include "Rounding.h"

#include <cmath>
#include <limits>

std::int32_t SaturatingTruncate(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= 2147483647.0) {
        return std::numeric_limits<std::int32_t>::max();
    }
    if (value <= -2147483648.0) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(value);
}

std::int32_t RoundToInt(double value) {
    if (value >= 0.5) {
        return SaturatingTruncate(value + 0.5);
    }
    if (value < -0.5) {
        return SaturatingTruncate(value - 0.5);
    }
    return 0;
}
