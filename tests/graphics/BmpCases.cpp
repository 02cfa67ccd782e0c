#include "BmpCases.h"

namespace {

std::vector<SRgb> Table(int count) {
    std::vector<SRgb> table;
    for (int i = 0; i < count; ++i) {
        table.push_back({static_cast<std::uint8_t>(i * 37 % 256),
                         static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(i / 2)});
    }
    return table;
}

SBmpCase Paletted(const std::string& name, int width, int height, std::uint16_t bits,
                  bool topDown) {
    const int colors = 1 << bits;
    SBmpCase c{name, {}, {}};
    c.m_spec.m_width = width;
    c.m_spec.m_height = height;
    c.m_spec.m_bitCount = bits;
    c.m_spec.m_topDown = topDown;
    c.m_spec.m_colorTable = Table(colors);
    const auto index = [colors](int x, int y) {
        return static_cast<std::uint32_t>((x * 3 + y * 5) % colors);
    };
    c.m_spec.m_pixel = index;
    const std::vector<SRgb> table = c.m_spec.m_colorTable;
    c.m_expected = [table, index](int x, int y) { return table[index(x, y)]; };
    return c;
}

SRgb Gradient(int x, int y) {
    return {static_cast<std::uint8_t>(x * 40 + 3), static_cast<std::uint8_t>(y * 60 + 7),
            static_cast<std::uint8_t>(200 - x * y)};
}

} // namespace

std::uint8_t Widen5(std::uint32_t value) {
    return static_cast<std::uint8_t>((value << 3) | (value >> 2));
}

std::uint8_t Widen6(std::uint32_t value) {
    return static_cast<std::uint8_t>((value << 2) | (value >> 4));
}

std::vector<SBmpCase> AllFormatCases() {
    std::vector<SBmpCase> cases;
    // Odd widths put the row padding and partly used bytes to work.
    cases.push_back(Paletted("1bit", 13, 3, 1, false));
    cases.push_back(Paletted("2bit", 7, 3, 2, false));
    cases.push_back(Paletted("4bit", 5, 4, 4, false));
    cases.push_back(Paletted("4bit_topdown", 5, 4, 4, true));
    cases.push_back(Paletted("8bit", 5, 3, 8, false));

    {
        SBmpCase c{"16bit_555", {}, {}};
        c.m_spec.m_width = 3;
        c.m_spec.m_height = 3;
        c.m_spec.m_bitCount = 16;
        // The unused top bit is set on purpose: it must not leak into red.
        const auto value = [](int x, int y) {
            return 0x8000u | (static_cast<std::uint32_t>(x * 10) << 10) |
                   (static_cast<std::uint32_t>(y * 15 + 1) << 5) |
                   static_cast<std::uint32_t>(31 - x - y);
        };
        c.m_spec.m_pixel = value;
        c.m_expected = [](int x, int y) {
            return SRgb{Widen5(static_cast<std::uint32_t>(x * 10)),
                        Widen5(static_cast<std::uint32_t>(y * 15 + 1)),
                        Widen5(static_cast<std::uint32_t>(31 - x - y))};
        };
        cases.push_back(c);
    }
    {
        SBmpCase c{"16bit_565", {}, {}};
        c.m_spec.m_width = 3;
        c.m_spec.m_height = 2;
        c.m_spec.m_bitCount = 16;
        c.m_spec.m_bitFields = true;
        c.m_spec.m_masks = {0xF800u, 0x07E0u, 0x001Fu};
        c.m_spec.m_pixel = [](int x, int y) {
            return (static_cast<std::uint32_t>(x * 15) << 11) |
                   (static_cast<std::uint32_t>(y * 63) << 5) | static_cast<std::uint32_t>(x + 3);
        };
        c.m_expected = [](int x, int y) {
            return SRgb{Widen5(static_cast<std::uint32_t>(x * 15)),
                        Widen6(static_cast<std::uint32_t>(y * 63)),
                        Widen5(static_cast<std::uint32_t>(x + 3))};
        };
        cases.push_back(c);
    }
    for (const bool topDown : {false, true}) {
        SBmpCase c{topDown ? "24bit_topdown" : "24bit", {}, {}};
        c.m_spec.m_width = 3; // 9 bytes of pixels, 3 of padding per row
        c.m_spec.m_height = 4;
        c.m_spec.m_bitCount = 24;
        c.m_spec.m_topDown = topDown;
        c.m_spec.m_pixel = [](int x, int y) { return Rgb24(Gradient(x, y)); };
        c.m_expected = Gradient;
        cases.push_back(c);
    }
    {
        SBmpCase c{"32bit", {}, {}};
        c.m_spec.m_width = 4;
        c.m_spec.m_height = 3;
        c.m_spec.m_bitCount = 32;
        // The fourth byte is not alpha; whatever it holds, the pixel shows its colour.
        c.m_spec.m_pixel = [](int x, int y) {
            return (static_cast<std::uint32_t>(x * 60) << 24) | Rgb24(Gradient(x, y));
        };
        c.m_expected = Gradient;
        cases.push_back(c);
    }
    {
        SBmpCase c{"32bit_bitfields", {}, {}};
        c.m_spec.m_width = 2;
        c.m_spec.m_height = 3;
        c.m_spec.m_bitCount = 32;
        c.m_spec.m_bitFields = true;
        // Blue on top, red at the bottom, 10 bits each: 8 bits kept of each.
        c.m_spec.m_masks = {0x000003FFu, 0x000FFC00u, 0x3FF00000u};
        c.m_spec.m_pixel = [](int x, int y) {
            const SRgb color = Gradient(x, y);
            return (static_cast<std::uint32_t>(color.m_red) << 2) |
                   (static_cast<std::uint32_t>(color.m_green) << 12) |
                   (static_cast<std::uint32_t>(color.m_blue) << 22) | 0x00100401u;
        };
        c.m_expected = Gradient;
        cases.push_back(c);
    }
    return cases;
}
