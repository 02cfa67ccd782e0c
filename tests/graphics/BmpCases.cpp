#include "BmpCases.h"

#include <string>
#include <utility>

namespace {

std::uint32_t U(int value) {
    return static_cast<std::uint32_t>(value);
}

// Bit replication of a 5- or 6-bit channel value to 8 bits.
std::uint8_t Widen(int value, unsigned bits) {
    return static_cast<std::uint8_t>((U(value) << (8 - bits)) | (U(value) >> (2 * bits - 8)));
}

SBmpCase Case(std::string name, int width, int height, std::uint16_t bits,
              std::function<std::uint32_t(int, int)> pixel,
              std::function<SRgb(int, int)> expected) {
    SBmpCase c{std::move(name), {}, std::move(expected)};
    c.m_layout.m_width = width;
    c.m_layout.m_height = height;
    c.m_layout.m_bitCount = bits;
    c.m_layout.m_pixel = std::move(pixel);
    return c;
}

// With fewer colours than the bit count allows, the table is short and the pixels follow it.
SBmpCase Paletted(const std::string& name, int width, int height, std::uint16_t bits,
                  int colors = 0) {
    const bool shortTable = colors != 0;
    colors = shortTable ? colors : 1 << bits;
    std::vector<SRgb> table;
    for (int i = 0; i < colors; ++i) {
        table.push_back({static_cast<std::uint8_t>(i * 37 % 256),
                         static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(i / 2)});
    }
    const auto index = [colors](int x, int y) { return U((x * 3 + y * 5) % colors); };
    SBmpCase c = Case(name, width, height, bits, index,
                      [table, index](int x, int y) { return table[index(x, y)]; });
    c.m_layout.m_colorTable = table;
    c.m_layout.m_shortTable = shortTable;
    c.m_layout.m_colorsUsed = shortTable ? U(colors) : 0u;
    return c;
}

// A variant of a case: a name suffix and one change to its layout.
SBmpCase Variant(SBmpCase c, const char* suffix, const std::function<void(SBmpLayout&)>& change) {
    c.m_name += suffix;
    change(c.m_layout);
    return c;
}

SBmpCase WithMasks(SPixelMasks masks, SBmpCase c) {
    c.m_layout.m_bitFields = true;
    c.m_layout.m_masks = masks;
    return c;
}

SRgb Gradient(int x, int y) {
    return {static_cast<std::uint8_t>(x * 40 + 3), static_cast<std::uint8_t>(y * 60 + 7),
            static_cast<std::uint8_t>(200 - x * y)};
}

} // namespace

std::vector<SBmpCase> AllFormatCases() {
    const SBmpCase rgb24 = Case(
        "24bit", 3, 4, 24, [](int x, int y) { return Rgb24(Gradient(x, y)); }, Gradient);
    // Data cut short fills the rows from the first stored (the bottom one) on as far as it goes.
    SBmpCase twoRows = Variant(
        Case(
            "24bit", 4, 4, 24, [](int x, int y) { return Rgb24(Gradient(x, y)); }, Gradient),
        "_two_rows", [](SBmpLayout& l) { l.m_extraBytes = -24; });
    twoRows.m_expected = [](int x, int y) { return y < 2 ? SRgb{} : Gradient(x, y); };
    // Odd widths put the row padding and partly used bytes to work.
    return {
        Paletted("1bit", 13, 3, 1),
        Paletted("2bit", 7, 3, 2),
        Paletted("4bit", 5, 4, 4),
        Paletted("4bit_2colors", 9, 8, 4, 2),
        // The whole table counts, whatever the colours-used field says.
        Variant(Paletted("4bit", 5, 4, 4), "_used3", [](SBmpLayout& l) { l.m_colorsUsed = 3; }),
        Paletted("8bit", 5, 3, 8),
        Paletted("8bit_16colors", 40, 30, 8, 16), // as converted from GIF
        // The unused top bit is set on purpose: it must not leak into red.
        Case(
            "16bit_555", 3, 3, 16,
            [](int x, int y) {
                return 0x8000u | (U(x * 10) << 10) | (U(y * 15 + 1) << 5) | U(31 - x - y);
            },
            [](int x, int y) {
                return SRgb{Widen(x * 10, 5), Widen(y * 15 + 1, 5), Widen(31 - x - y, 5)};
            }),
        WithMasks({0xF800u, 0x07E0u, 0x001Fu},
                  Case(
                      "16bit_565", 3, 2, 16,
                      [](int x, int y) { return (U(x * 15) << 11) | (U(y * 63) << 5) | U(x + 3); },
                      [](int x, int y) {
                          return SRgb{Widen(x * 15, 5), Widen(y * 63, 6), Widen(x + 3, 5)};
                      })),
        rgb24, // 9 bytes of pixels, 3 of padding per row
        Variant(rgb24, "_topdown", [](SBmpLayout& l) { l.m_topDown = true; }),
        Variant(rgb24, "_extra", [](SBmpLayout& l) { l.m_extraBytes = 100; }),
        Variant(rgb24, "_no_last_padding", [](SBmpLayout& l) { l.m_extraBytes = -3; }),
        twoRows,
        // The fourth byte is not alpha; whatever it holds, the pixel shows its colour.
        Case(
            "32bit", 4, 3, 32,
            [](int x, int y) { return (U(x * 60) << 24) | Rgb24(Gradient(x, y)); }, Gradient),
        // Blue on top, red at the bottom, 10 bits each: 8 bits kept of each.
        WithMasks({0x000003FFu, 0x000FFC00u, 0x3FF00000u},
                  Case(
                      "32bit_bitfields", 2, 3, 32,
                      [](int x, int y) {
                          const SRgb color = Gradient(x, y);
                          return (U(color.m_red) << 2) | (U(color.m_green) << 12) |
                                 (U(color.m_blue) << 22) | 0x00100401u;
                      },
                      Gradient)),
    };
}
