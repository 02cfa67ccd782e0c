#pragma once

#include <cstdint>

// The rounding every parameter value goes through: 0.5 and above rounds up, below -0.5 away
// from zero, and everything in between (-0.5 included) gives 0. Values beyond the 32-bit range
// saturate and NaN gives 0, so no input can make the conversion undefined.
std::int32_t RoundToInt(double value);

// Truncation toward zero with the same saturation (NaN gives 0).
std::int32_t SaturatingTruncate(double value);
