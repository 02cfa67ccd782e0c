#include "Builtins.h"

#include "config/Rounding.h"

#include <cmath>

namespace {

constexpr double RADIANS_TO_DEGREES = 57.29577951308232;
constexpr double DEGREES_TO_RADIANS = 0.017453292519943295;

std::uint32_t Bits(double value) {
    return static_cast<std::uint32_t>(ToBitInteger(value));
}

// The bit pattern read as a signed 32-bit integer, so bit 31 gives a negative number.
double FromBits(std::uint32_t bits) {
    return static_cast<double>(static_cast<std::int32_t>(bits));
}

double ClearBit(const double* a) {
    return FromBits(Bits(a[0]) & ~BitMask(ToBitInteger(a[1])));
}

double SetBit(const double* a) {
    return FromBits(Bits(a[0]) | BitMask(ToBitInteger(a[1])));
}

double SetBitValue(const double* a) {
    const std::uint32_t mask = BitMask(ToBitInteger(a[1]));
    return FromBits(ToBitInteger(a[2]) > 0 ? (Bits(a[0]) | mask) : (Bits(a[0]) & ~mask));
}

double IsBitSet(const double* a) {
    // Bit 31 reads as a negative number and so never counts as set.
    const std::int32_t bit = static_cast<std::int32_t>(Bits(a[0]) & BitMask(ToBitInteger(a[1])));
    return bit > 0 ? 1.0 : 0.0;
}

double If(const double* a) {
    return SaturatingTruncate(a[0]) != 0 ? a[1] : a[2];
}

const SFunction s_functions[] = {
    {"sin", 1, [](const double* a) { return std::sin(a[0]); }},
    {"cos", 1, [](const double* a) { return std::cos(a[0]); }},
    {"tan", 1, [](const double* a) { return std::tan(a[0]); }},
    {"asin", 1, [](const double* a) { return std::asin(a[0]); }},
    {"acos", 1, [](const double* a) { return std::acos(a[0]); }},
    {"atan", 1, [](const double* a) { return std::atan(a[0]); }},
    {"atan2", 2, [](const double* a) { return std::atan2(a[0], a[1]); }},
    {"sinh", 1, [](const double* a) { return std::sinh(a[0]); }},
    {"cosh", 1, [](const double* a) { return std::cosh(a[0]); }},
    {"tanh", 1, [](const double* a) { return std::tanh(a[0]); }},
    {"exp", 1, [](const double* a) { return std::exp(a[0]); }},
    {"log", 1, [](const double* a) { return std::log(a[0]); }},
    {"log10", 1, [](const double* a) { return std::log10(a[0]); }},
    {"sqrt", 1, [](const double* a) { return std::sqrt(a[0]); }},
    {"floor", 1, [](const double* a) { return std::floor(a[0]); }},
    {"ceil", 1, [](const double* a) { return std::ceil(a[0]); }},
    {"abs", 1, [](const double* a) { return std::fabs(a[0]); }},
    {"deg", 1, [](const double* a) { return a[0] * RADIANS_TO_DEGREES; }},
    {"rad", 1, [](const double* a) { return a[0] * DEGREES_TO_RADIANS; }},
    {"if", 3, If},
    {"ClearBit", 2, ClearBit},
    {"SetBit", 2, SetBit},
    {"SetBitValue", 3, SetBitValue},
    {"isBitSet", 2, IsBitSet},
};

} // namespace

const SFunction* FindFunction(std::string_view name) {
    for (const SFunction& function : s_functions) {
        if (name == function.m_name) {
            return &function;
        }
    }
    return nullptr;
}

bool FindConstant(std::string_view name, double& value) {
    if (name == "pi") {
        value = 3.141592653589793;
        return true;
    }
    if (name == "e") {
        value = 2.718281828459045;
        return true;
    }
    return false;
}

std::int32_t ToBitInteger(double value) {
    return SaturatingTruncate(value + 0.5);
}

std::uint32_t BitMask(std::int32_t bit) {
    const std::uint32_t shift = static_cast<std::uint32_t>(bit) & 0xFFu;
    return shift < 32u ? (std::uint32_t{1} << shift) : 0u;
}
