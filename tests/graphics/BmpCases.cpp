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

namespace {

// A 4- or 8-bit layout whose screen rows (top first) hold the given indexes, one hex digit or
// two each, separated by blanks.
SBmpLayout IndexGrid(std::uint16_t bits, std::vector<std::vector<int>> rows) {
    SBmpLayout layout = Paletted("grid", 1, 1, bits).m_layout;
    layout.m_width = static_cast<std::int32_t>(rows.front().size());
    layout.m_height = static_cast<std::int32_t>(rows.size());
    layout.m_pixel = [rows](int x, int y) {
        return U(rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]);
    };
    return layout;
}

SBmpPairCase Rle(std::string name, std::uint16_t bits, const std::string& encoded,
                 std::vector<std::vector<int>> rows) {
    const SBmpLayout layout = IndexGrid(bits, std::move(rows));
    return {std::move(name), MakeRleBmp(layout, encoded), MakeBmp(layout)};
}

SBmpPairCase WithHeader(const SBmpCase& c, std::uint32_t headerSize) {
    return {c.m_name + "_header" + std::to_string(headerSize),
            MakeBmpWithHeader(c.m_layout, headerSize), MakeBmp(c.m_layout)};
}

} // namespace

std::vector<SBmpPairCase> ToolFormatCases() {
    const std::vector<SBmpCase> formats = AllFormatCases();
    const auto format = [&formats](const std::string& name) {
        for (const SBmpCase& c : formats) {
            if (c.m_name == name) {
                return c;
            }
        }
        return SBmpCase{};
    };
    // Rows are stored bottom-up, so each stream starts with the bottom row.
    return {
        WithHeader(format("24bit"), 124), // GIMP's and ImageMagick's default
        WithHeader(format("24bit_topdown"), 108),
        WithHeader(format("8bit_16colors"), 124), // a table as short as colours-used says
        WithHeader(format("4bit"), 108),
        WithHeader(format("16bit_565"), 108),       // masks inside the header
        WithHeader(format("32bit_bitfields"), 124), // ... and an alpha mask
        WithHeader(format("32bit"), 124),
        WithHeader(format("1bit"), 12), // netpbm's OS/2 output
        WithHeader(format("8bit"), 12),
        WithHeader(format("24bit"), 12),
        // A run, an absolute run of odd length (padded) that runs past the row end, end of line;
        // a delta; a run longer than the row; end of picture.
        Rle("rle8", 8,
            std::string("\x03\x01\x00\x03\x02\x03\x04\x00\x00\x00"
                        "\x00\x02\x02\x00\x02\x05\x00\x00"
                        "\x09\x06\x00\x01",
                        22),
            {{6, 6, 6, 6, 6}, {0, 0, 5, 5, 0}, {1, 1, 1, 2, 3}}),
        // A delta past the last row ends the picture; what follows is not read.
        Rle("rle8_delta_out", 8, std::string("\x02\x07\x00\x02\x00\x05\x03\x01", 8),
            {{0, 0, 0, 0, 0}, {7, 7, 0, 0, 0}}),
        // Data ending inside an absolute run: the pixels there are kept, the rest stays zero.
        Rle("rle8_cut", 8, std::string("\x00\x04\x01\x02", 4), {{0, 0, 0}, {1, 2, 0}}),
        // Nibbles alternate from the high one; a run too long for the row; an absolute run of 5
        // (three bytes and a pad byte), then end of picture.
        Rle("rle4", 4, std::string("\x07\x12\x00\x00\x00\x05\x34\x56\x70\x00\x00\x01", 12),
            {{3, 4, 5, 6, 7}, {1, 2, 1, 2, 1}}),
        // No end-of-line code at a row's end: the next run stays in the same row and is lost.
        Rle("rle4_no_eol", 4, std::string("\x03\xAB\x02\xCD\x00\x00\x01\xEF", 8),
            {{14, 0, 0}, {10, 11, 10}}),
    };
}
