#pragma once

#include <cstddef>
#include <cstdint>

// The on-disk layout of a Windows bitmap file: a 14-byte file header, a 40-byte info header,
// the colour table (or, for bit-field pictures, three channel masks) and the pixel rows, each
// padded to 4 bytes. All fields are little-endian.

constexpr std::uint16_t BMP_TYPE = 0x4D42; // "BM"
constexpr std::size_t BMP_FILE_HEADER_SIZE = 14;
constexpr std::uint32_t BMP_INFO_HEADER_SIZE = 40;
constexpr std::size_t BMP_HEADERS_SIZE = BMP_FILE_HEADER_SIZE + BMP_INFO_HEADER_SIZE;
constexpr std::size_t BMP_MASKS_SIZE = 12;

constexpr std::uint32_t COMPRESSION_RGB = 0;
constexpr std::uint32_t COMPRESSION_BITFIELDS = 3;

struct SBitmapInfoHeader {
    std::uint32_t m_size = 0;
    std::int32_t m_width = 0;
    std::int32_t m_height = 0; // negative: rows stored top-down
    std::uint16_t m_planes = 0;
    std::uint16_t m_bitCount = 0;
    std::uint32_t m_compression = 0;
    std::uint32_t m_imageSize = 0;
    std::int32_t m_xPelsPerMeter = 0;
    std::int32_t m_yPelsPerMeter = 0;
    std::uint32_t m_colorsUsed = 0;
    std::uint32_t m_colorsImportant = 0;
};

// Channel masks of a 16- or 32-bit pixel.
struct SPixelMasks {
    std::uint32_t m_red = 0;
    std::uint32_t m_green = 0;
    std::uint32_t m_blue = 0;
};

std::uint16_t ReadU16(const std::uint8_t* bytes);
std::uint32_t ReadU32(const std::uint8_t* bytes);
// Decodes the 40 bytes of an info header.
SBitmapInfoHeader ReadInfoHeader(const std::uint8_t* bytes);
SPixelMasks ReadPixelMasks(const std::uint8_t* bytes);

// Colour-table entries a picture of this bit count has: 2, 4, 16 or 256 for 1, 2, 4 and 8 bits,
// none for every other bit count.
int ColorCount(std::uint16_t bitCount);

// Bytes of one stored row; 0 for a negative width.
std::int64_t RowStride(std::int32_t width, std::uint16_t bitCount);

// 5-5-5 for 16 bits, 8-8-8 for 32 bits; all zero otherwise.
SPixelMasks DefaultPixelMasks(std::uint16_t bitCount);

// Masks that a picture of this bit count may carry: each one a single run of bits within the
// pixel, no two overlapping. A zero mask (a channel that is always 0) is allowed.
bool AreValidPixelMasks(const SPixelMasks& masks, std::uint16_t bitCount);
