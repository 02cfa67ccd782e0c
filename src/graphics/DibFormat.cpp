#include "DibFormat.h"

#include <algorithm>

std::uint16_t ReadU16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::uint32_t ReadU32(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) |
           (static_cast<std::uint32_t>(bytes[3]) << 24);
}

namespace {

std::int32_t ReadI32(const std::uint8_t* bytes) {
    return static_cast<std::int32_t>(ReadU32(bytes));
}

bool IsSingleRun(std::uint32_t mask) {
    if (mask == 0) {
        return true;
    }
    while ((mask & 1u) == 0) {
        mask >>= 1;
    }
    return (mask & (mask + 1u)) == 0;
}

} // namespace

SBitmapInfoHeader ReadInfoHeader(const std::uint8_t* bytes) {
    SBitmapInfoHeader header;
    header.m_size = ReadU32(bytes);
    header.m_width = ReadI32(bytes + 4);
    header.m_height = ReadI32(bytes + 8);
    header.m_planes = ReadU16(bytes + 12);
    header.m_bitCount = ReadU16(bytes + 14);
    header.m_compression = ReadU32(bytes + 16);
    header.m_imageSize = ReadU32(bytes + 20);
    header.m_xPelsPerMeter = ReadI32(bytes + 24);
    header.m_yPelsPerMeter = ReadI32(bytes + 28);
    header.m_colorsUsed = ReadU32(bytes + 32);
    header.m_colorsImportant = ReadU32(bytes + 36);
    return header;
}

SPixelMasks ReadPixelMasks(const std::uint8_t* bytes) {
    return {ReadU32(bytes), ReadU32(bytes + 4), ReadU32(bytes + 8)};
}

bool IsReadableInfoHeaderSize(std::uint32_t size) {
    return size == BMP_CORE_HEADER_SIZE || size == BMP_INFO_HEADER_SIZE ||
           size == BMP_V4_HEADER_SIZE || size == BMP_V5_HEADER_SIZE;
}

SBitmapInfoHeader ReadAnyInfoHeader(const std::uint8_t* bytes) {
    if (ReadU32(bytes) != BMP_CORE_HEADER_SIZE) {
        return ReadInfoHeader(bytes);
    }
    SBitmapInfoHeader header;
    header.m_size = BMP_CORE_HEADER_SIZE;
    header.m_width = ReadU16(bytes + 4);
    header.m_height = ReadU16(bytes + 6);
    header.m_planes = ReadU16(bytes + 8);
    header.m_bitCount = ReadU16(bytes + 10);
    header.m_compression = COMPRESSION_RGB;
    return header;
}

SHeaderSpans HeaderSpans(const SBitmapInfoHeader& header, std::size_t pixelOffset) {
    SHeaderSpans spans;
    const bool masks = header.m_compression == COMPRESSION_BITFIELDS &&
                       (header.m_bitCount == 16 || header.m_bitCount == 32);
    spans.m_tableAt = BMP_FILE_HEADER_SIZE + header.m_size;
    spans.m_tableEntries = static_cast<std::size_t>(ColorCount(header.m_bitCount));
    if (header.m_size == BMP_INFO_HEADER_SIZE) {
        spans.m_masksAt = masks ? BMP_HEADERS_SIZE : 0;
        spans.m_tableEnd = std::max(spans.m_tableAt + 4 * spans.m_tableEntries,
                                    BMP_HEADERS_SIZE + (masks ? BMP_MASKS_SIZE : 0));
        spans.m_headersEnd = BMP_HEADERS_SIZE + (masks ? BMP_MASKS_SIZE : 0);
        return spans;
    }
    if (header.m_size == BMP_CORE_HEADER_SIZE) {
        spans.m_entrySize = 3;
    } else {
        spans.m_masksAt = masks ? BMP_HEADERS_SIZE : 0;
        if (header.m_colorsUsed > 0 && header.m_colorsUsed < spans.m_tableEntries) {
            spans.m_tableEntries = header.m_colorsUsed;
        }
    }
    const std::size_t room = pixelOffset > spans.m_tableAt ? pixelOffset - spans.m_tableAt : 0;
    spans.m_tableEntries = std::min(spans.m_tableEntries, room / spans.m_entrySize);
    spans.m_tableEnd = spans.m_tableAt + spans.m_entrySize * spans.m_tableEntries;
    spans.m_headersEnd = spans.m_tableEnd;
    return spans;
}

bool IsDecodableRle(const SBitmapInfoHeader& header) {
    return header.m_height > 0 &&
           ((header.m_compression == COMPRESSION_RLE8 && header.m_bitCount == 8) ||
            (header.m_compression == COMPRESSION_RLE4 && header.m_bitCount == 4));
}

int ColorCount(std::uint16_t bitCount) {
    switch (bitCount) {
    case 1:
        return 2;
    case 2:
        return 4;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

std::int64_t RowStride(std::int32_t width, std::uint16_t bitCount) {
    if (width < 0) {
        return 0;
    }
    const std::int64_t bits = static_cast<std::int64_t>(width) * bitCount;
    return ((bits + 31) & ~std::int64_t{31}) / 8;
}

SPixelMasks DefaultPixelMasks(std::uint16_t bitCount) {
    if (bitCount == 16) {
        return {0x7C00u, 0x03E0u, 0x001Fu};
    }
    if (bitCount == 32) {
        return {0x00FF0000u, 0x0000FF00u, 0x000000FFu};
    }
    return {};
}

bool AreValidPixelMasks(const SPixelMasks& masks, std::uint16_t bitCount) {
    if (bitCount != 16 && bitCount != 32) {
        return false;
    }
    const std::uint32_t pixelBits = bitCount == 16 ? 0xFFFFu : 0xFFFFFFFFu;
    const std::uint32_t all[] = {masks.m_red, masks.m_green, masks.m_blue};
    std::uint32_t seen = 0;
    for (const std::uint32_t mask : all) {
        if ((mask & ~pixelBits) != 0 || (mask & seen) != 0 || !IsSingleRun(mask)) {
            return false;
        }
        seen |= mask;
    }
    return true;
}
