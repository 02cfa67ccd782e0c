#pragma once

#include <cstdint>
#include <string_view>

// The evaluator's built-in functions and constants.

struct SFunction {
    std::string_view m_name;
    int m_argumentCount;
    double (*m_function)(const double* arguments);
};

// The function of exactly this name (case-sensitive), nullptr when there is none.
const SFunction* FindFunction(std::string_view name);

// "pi" and "e"; false for any other name.
bool FindConstant(std::string_view name, double& value);

// The integer a bit function works on: the argument plus 0.5, truncated toward zero. Values
// beyond the 32-bit range saturate and NaN gives 0, so no argument is undefined behaviour.
std::int32_t ToBitInteger(double value);

// The one-bit mask for a bit number: its low eight bits are the shift, and a shift of 32 or more
// (as for -1 or 40) gives no bit at all.
std::uint32_t BitMask(std::int32_t bit);
