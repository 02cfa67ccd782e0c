#pragma once

#include <cstddef>
#include <cstdint>

// The on-disk layout of a Windows bitmap file: a 14-byte file header, an info header, the colour
// table (or, for bit-field pictures, three channel masks) and the pixel rows, each padded to 4
// bytes. All fields are little-endian.
//
// The info header is the common 40-byte one, or one of its relatives: the 12-byte OS/2 core
// header (16-bit width and height, colour-table entries of 3 bytes), and the 108- and 124-byte
// headers of today's tools, which begin with the 40 bytes, hold the channel masks right after
// them and have the colour table after their whole length (their colour-space fields are not
// needed to show a picture).

constexpr std::uint16_t BMP_TYPE = 0x4D42; // "BM"
constexpr std::size_t BMP_FILE_HEADER_SIZE = 14;
constexpr std::uint32_t BMP_INFO_HEADER_SIZE = 40;
constexpr std::size_t BMP_HEADERS_SIZE = BMP_FILE_HEADER_SIZE + BMP_INFO_HEADER_SIZE;
constexpr std::size_t BMP_MASKS_SIZE = 12;
constexpr std::uint32_t BMP_CORE_HEADER_SIZE = 12;
constexpr std::uint32_t BMP_V4_HEADER_SIZE = 108;
constexpr std::uint32_t BMP_V5_HEADER_SIZE = 124;

constexpr std::uint32_t COMPRESSION_RGB = 0;
constexpr std::uint32_t COMPRESSION_RLE8 = 1;
constexpr std::uint32_t COMPRESSION_RLE4 = 2;
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

// 12, 40, 108 or 124.
bool IsReadableInfoHeaderSize(std::uint32_t size);
// An info header of a readable size (its first field) as the fields of the 40-byte one; a core
// header gives its width, height, planes and bit count, and no compression.
SBitmapInfoHeader ReadAnyInfoHeader(const std::uint8_t* bytes);

// Where the parts between the file header and the pixels lie, from the start of the file.
struct SHeaderSpans {
    std::size_t m_masksAt = 0; // 0: the picture has no channel masks
    std::size_t m_tableAt = 0;
    std::size_t m_tableEntries = 0;
    std::size_t m_entrySize = 4;
    std::size_t m_tableEnd = 0;   // the file must hold at least this many bytes
    std::size_t m_headersEnd = 0; // the pixel data must not start before this
};

// A 40-byte header's table always has ColorCount entries, and its pixels may start inside it
// (a picture with fewer colours); the longer headers and the core header have as many entries as
// fit before the pixel offset, and the longer ones at most their colours-used field.
SHeaderSpans HeaderSpans(const SBitmapInfoHeader& header, std::size_t pixelOffset);

// Run-length encoded pixels this reader decodes: RLE8 at 8 and RLE4 at 4 bits per pixel, stored
// bottom-up.
bool IsDecodableRle(const SBitmapInfoHeader& header);

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
