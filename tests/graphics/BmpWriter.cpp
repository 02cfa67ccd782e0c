#include "BmpWriter.h"

namespace {

// Little-endian, as every field of the format.
void Append(std::string& out, std::uint32_t value, unsigned bytes) {
    for (unsigned i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFFu));
    }
}

std::string PackRow(const SBmpLayout& layout, int y) {
    const auto stride = static_cast<std::size_t>(RowStride(layout.m_width, layout.m_bitCount));
    const unsigned bits = layout.m_bitCount;
    std::string row;
    if (bits < 8) {
        row.assign(stride, '\0');
        for (int x = 0; x < layout.m_width; ++x) {
            const std::size_t bit = static_cast<std::size_t>(x) * bits;
            const auto shift = static_cast<unsigned>(8 - bits - bit % 8);
            const std::uint32_t value = layout.m_pixel(x, y) & ((1u << bits) - 1u);
            row[bit / 8] =
                static_cast<char>(static_cast<std::uint8_t>(row[bit / 8]) | (value << shift));
        }
        return row;
    }
    for (int x = 0; x < layout.m_width; ++x) {
        Append(row, layout.m_pixel(x, y), bits / 8);
    }
    row.resize(stride, '\0');
    return row;
}

} // namespace

std::string MakeBmp(const SBmpLayout& layout) {
    const std::size_t colorCount = layout.m_shortTable
                                       ? layout.m_colorTable.size()
                                       : static_cast<std::size_t>(ColorCount(layout.m_bitCount));
    const std::size_t offset =
        BMP_HEADERS_SIZE + 4 * colorCount + (layout.m_bitFields ? BMP_MASKS_SIZE : 0);
    std::string pixels;
    for (int row = 0; row < layout.m_height; ++row) {
        // Bottom-up files store the bottom row first.
        pixels += PackRow(layout, layout.m_topDown ? row : layout.m_height - 1 - row);
    }
    pixels.resize(
        static_cast<std::size_t>(static_cast<std::ptrdiff_t>(pixels.size()) + layout.m_extraBytes),
        '\x55');
    const auto u32 = [](auto value) { return static_cast<std::uint32_t>(value); };
    std::string out = "BM";
    // File header: total size, reserved, pixel offset. Info header: size, width, height, ...
    for (const std::uint32_t field :
         {u32(offset + pixels.size()), 0u, u32(offset), BMP_INFO_HEADER_SIZE, u32(layout.m_width),
          u32(layout.m_topDown ? -layout.m_height : layout.m_height)}) {
        Append(out, field, 4);
    }
    Append(out, 1, 2); // planes
    Append(out, layout.m_bitCount, 2);
    // ... compression, image size, resolution x and y, colours used and important.
    for (const std::uint32_t field : {layout.m_bitFields ? COMPRESSION_BITFIELDS : COMPRESSION_RGB,
                                      u32(pixels.size()), 2835u, 2835u, layout.m_colorsUsed, 0u}) {
        Append(out, field, 4);
    }
    for (std::size_t i = 0; i < colorCount; ++i) {
        const SRgb color = i < layout.m_colorTable.size() ? layout.m_colorTable[i] : SRgb{};
        Append(out, Rgb24(color), 4); // blue, green, red, 0
    }
    if (layout.m_bitFields) {
        Append(out, layout.m_masks.m_red, 4);
        Append(out, layout.m_masks.m_green, 4);
        Append(out, layout.m_masks.m_blue, 4);
    }
    return out + pixels;
}

std::string MakeBmpWithHeader(const SBmpLayout& layout, std::uint32_t headerSize) {
    const std::string common = MakeBmp(layout);
    const std::size_t offset = ReadU32(reinterpret_cast<const std::uint8_t*>(common.data()) + 10);
    const std::string masks = layout.m_bitFields ? common.substr(BMP_HEADERS_SIZE, 12) : "";
    const std::string table =
        common.substr(BMP_HEADERS_SIZE + masks.size(), offset - BMP_HEADERS_SIZE - masks.size());
    std::string out = common.substr(0, BMP_FILE_HEADER_SIZE);
    if (headerSize == BMP_CORE_HEADER_SIZE) {
        Append(out, BMP_CORE_HEADER_SIZE, 4);
        Append(out, static_cast<std::uint32_t>(layout.m_width), 2);
        Append(out, static_cast<std::uint32_t>(layout.m_height), 2);
        Append(out, 1, 2);
        Append(out, layout.m_bitCount, 2);
        for (std::size_t at = 0; at + 4 <= table.size(); at += 4) {
            out += table.substr(at, 3); // blue, green, red
        }
    } else {
        out += common.substr(BMP_FILE_HEADER_SIZE, BMP_INFO_HEADER_SIZE);
        out += masks.empty() ? std::string(BMP_MASKS_SIZE, '\0') : masks;
        Append(out, layout.m_bitFields ? 0xFF000000u : 0u, 4); // alpha mask
        Append(out, 0x73524742u, 4);                           // "sRGB" colour space
        out.resize(BMP_FILE_HEADER_SIZE + headerSize, '\0');
        PatchU32(out, BMP_HEADER_SIZE_AT, headerSize);
        out += table;
    }
    const std::size_t pixelOffset = out.size();
    out += common.substr(offset);
    PatchU32(out, BMP_TOTAL_SIZE_AT, static_cast<std::uint32_t>(out.size()));
    PatchU32(out, BMP_PIXEL_OFFSET_AT, static_cast<std::uint32_t>(pixelOffset));
    return out;
}

std::string MakeRleBmp(const SBmpLayout& layout, const std::string& encoded) {
    const std::string common = MakeBmp(layout);
    const std::size_t offset = ReadU32(reinterpret_cast<const std::uint8_t*>(common.data()) + 10);
    std::string out = common.substr(0, offset) + encoded;
    PatchU32(out, BMP_TOTAL_SIZE_AT, static_cast<std::uint32_t>(out.size()));
    PatchU32(out, BMP_COMPRESSION_AT, layout.m_bitCount == 8 ? COMPRESSION_RLE8 : COMPRESSION_RLE4);
    PatchU32(out, BMP_COMPRESSION_AT + 4, static_cast<std::uint32_t>(encoded.size()));
    return out;
}

std::string SolidBmp(int width, int height, SRgb color) {
    SBmpLayout layout;
    layout.m_width = width;
    layout.m_height = height;
    layout.m_pixel = [color](int, int) { return Rgb24(color); };
    return MakeBmp(layout);
}

void PatchU16(std::string& bmp, std::size_t at, std::uint16_t value) {
    bmp[at] = static_cast<char>(value & 0xFFu);
    bmp[at + 1] = static_cast<char>(value >> 8);
}

void PatchU32(std::string& bmp, std::size_t at, std::uint32_t value) {
    PatchU16(bmp, at, static_cast<std::uint16_t>(value & 0xFFFFu));
    PatchU16(bmp, at + 2, static_cast<std::uint16_t>(value >> 16));
}

std::uint32_t Rgb24(SRgb color) {
    return (static_cast<std::uint32_t>(color.m_red) << 16) |
           (static_cast<std::uint32_t>(color.m_green) << 8) | color.m_blue;
}
