#include "BmpWriter.h"

namespace {

void AppendU16(std::string& out, std::uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFFu));
    out.push_back(static_cast<char>((value >> 8) & 0xFFu));
}

void AppendU32(std::string& out, std::uint32_t value) {
    AppendU16(out, value & 0xFFFFu);
    AppendU16(out, value >> 16);
}

std::string PackRow(const SBmpSpec& spec, int y) {
    const auto stride = static_cast<std::size_t>(RowStride(spec.m_width, spec.m_bitCount));
    std::string row;
    const unsigned bits = spec.m_bitCount;
    if (bits < 8) {
        row.assign(stride, '\0');
        for (int x = 0; x < spec.m_width; ++x) {
            const std::size_t bit = static_cast<std::size_t>(x) * bits;
            const auto shift = static_cast<unsigned>(8 - bits - bit % 8);
            const std::uint32_t value = spec.m_pixel(x, y) & ((1u << bits) - 1u);
            row[bit / 8] =
                static_cast<char>(static_cast<std::uint8_t>(row[bit / 8]) | (value << shift));
        }
        return row;
    }
    for (int x = 0; x < spec.m_width; ++x) {
        const std::uint32_t value = spec.m_pixel(x, y);
        for (unsigned byte = 0; byte < bits / 8; ++byte) {
            row.push_back(static_cast<char>((value >> (8 * byte)) & 0xFFu));
        }
    }
    row.resize(stride, '\0');
    return row;
}

} // namespace

std::string MakeBmp(const SBmpSpec& spec) {
    const int colorCount = ColorCount(spec.m_bitCount);
    const std::size_t tableBytes =
        4 * static_cast<std::size_t>(colorCount) + (spec.m_bitFields ? BMP_MASKS_SIZE : 0);
    const std::size_t offset = BMP_HEADERS_SIZE + tableBytes;
    std::string pixels;
    for (int row = 0; row < spec.m_height; ++row) {
        // Bottom-up files store the bottom row first.
        pixels += PackRow(spec, spec.m_topDown ? row : spec.m_height - 1 - row);
    }
    std::string out = "BM";
    AppendU32(out, static_cast<std::uint32_t>(offset + pixels.size()));
    AppendU32(out, 0);
    AppendU32(out, static_cast<std::uint32_t>(offset));
    AppendU32(out, BMP_INFO_HEADER_SIZE);
    AppendU32(out, static_cast<std::uint32_t>(spec.m_width));
    AppendU32(out, static_cast<std::uint32_t>(spec.m_topDown ? -spec.m_height : spec.m_height));
    AppendU16(out, 1);
    AppendU16(out, spec.m_bitCount);
    AppendU32(out, spec.m_bitFields ? COMPRESSION_BITFIELDS : COMPRESSION_RGB);
    AppendU32(out, static_cast<std::uint32_t>(pixels.size()));
    AppendU32(out, 2835);
    AppendU32(out, 2835);
    AppendU32(out, spec.m_colorsUsed);
    AppendU32(out, 0);
    for (int i = 0; i < colorCount; ++i) {
        const SRgb color = static_cast<std::size_t>(i) < spec.m_colorTable.size()
                               ? spec.m_colorTable[static_cast<std::size_t>(i)]
                               : SRgb{};
        out.push_back(static_cast<char>(color.m_blue));
        out.push_back(static_cast<char>(color.m_green));
        out.push_back(static_cast<char>(color.m_red));
        out.push_back('\0');
    }
    if (spec.m_bitFields) {
        AppendU32(out, spec.m_masks.m_red);
        AppendU32(out, spec.m_masks.m_green);
        AppendU32(out, spec.m_masks.m_blue);
    }
    return out + pixels;
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
