#pragma once

#include "graphics/DibFormat.h"
#include "graphics/Rgb.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

// Writes bitmap files for the tests, so that every format and every damaged field can be made
// on demand.
struct SBmpLayout {
    std::int32_t m_width = 1;
    std::int32_t m_height = 1; // rows; the file stores -height when m_topDown
    std::uint16_t m_bitCount = 24;
    bool m_topDown = false;
    bool m_bitFields = false;
    SPixelMasks m_masks;
    // Written as ColorCount(bit count) entries, missing ones black; a short table (as many
    // entries as it holds, the pixels right after it) when m_shortTable.
    std::vector<SRgb> m_colorTable;
    bool m_shortTable = false;
    std::uint32_t m_colorsUsed = 0;
    // Bytes of junk after the pixel rows; negative cuts the rows short.
    std::ptrdiff_t m_extraBytes = 0;
    // The stored value at screen (x, y): a table index, or the packed colour bits (0xRRGGBB
    // for 24 bits).
    std::function<std::uint32_t(int x, int y)> m_pixel = [](int, int) { return 0u; };
};

std::string MakeBmp(const SBmpLayout& layout);
// The same picture with a 108- or 124-byte info header (the masks of a bit-field picture inside
// it, the colour table after it), or with the 12-byte OS/2 core header (3-byte table entries;
// neither masks nor top-down rows).
std::string MakeBmpWithHeader(const SBmpLayout& layout, std::uint32_t headerSize);
// The headers of the 4- or 8-bit layout with the given run-length encoded bytes as its pixels.
std::string MakeRleBmp(const SBmpLayout& layout, const std::string& encoded);
// A 24-bit picture of one colour.
std::string SolidBmp(int width, int height, SRgb color);

// Offsets of the fields tests like to damage.
constexpr std::size_t BMP_TOTAL_SIZE_AT = 2;
constexpr std::size_t BMP_PIXEL_OFFSET_AT = 10;
constexpr std::size_t BMP_HEADER_SIZE_AT = 14;
constexpr std::size_t BMP_WIDTH_AT = 18;
constexpr std::size_t BMP_HEIGHT_AT = 22;
constexpr std::size_t BMP_PLANES_AT = 26;
constexpr std::size_t BMP_BIT_COUNT_AT = 28;
constexpr std::size_t BMP_COMPRESSION_AT = 30;

void PatchU16(std::string& bmp, std::size_t at, std::uint16_t value);
void PatchU32(std::string& bmp, std::size_t at, std::uint32_t value);

std::uint32_t Rgb24(SRgb color);

// Lets test failures show colours as (red,green,blue).
inline void PrintTo(SRgb color, std::ostream* out) {
    *out << '(' << int{color.m_red} << ',' << int{color.m_green} << ',' << int{color.m_blue} << ')';
}
