#pragma once

#include <cstdint>

// One colour as the screen shows it.
struct SRgb {
    std::uint8_t m_red = 0;
    std::uint8_t m_green = 0;
    std::uint8_t m_blue = 0;

    friend bool operator==(SRgb a, SRgb b) {
        return a.m_red == b.m_red && a.m_green == b.m_green && a.m_blue == b.m_blue;
    }
    friend bool operator!=(SRgb a, SRgb b) { return !(a == b); }
};
