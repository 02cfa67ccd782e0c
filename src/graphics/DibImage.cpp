#include "DibImage.h"

#include "BmpFile.h"
#include "DefaultPalette.h"
#include "RleDecoder.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace {

std::uint32_t ToArgb(SRgb color) {
    return 0xFF000000u | (static_cast<std::uint32_t>(color.m_red) << 16) |
           (static_cast<std::uint32_t>(color.m_green) << 8) | color.m_blue;
}

void StoreU32(std::uint8_t* bytes, std::uint32_t value) {
    bytes[0] = static_cast<std::uint8_t>(value);
    bytes[1] = static_cast<std::uint8_t>(value >> 8);
    bytes[2] = static_cast<std::uint8_t>(value >> 16);
    bytes[3] = static_cast<std::uint8_t>(value >> 24);
}

// The raw value of pixel x of a stored row: a table index, or the packed colour bits.
std::uint32_t PixelValue(const std::uint8_t* row, std::size_t x, std::uint16_t bitCount) {
    switch (bitCount) {
    case 1:
    case 2:
    case 4: {
        const std::size_t bit = x * bitCount;
        const auto shift = static_cast<unsigned>(8 - bitCount - bit % 8);
        return (row[bit / 8] >> shift) & ((1u << bitCount) - 1u);
    }
    case 8:
        return row[x];
    case 16:
        return ReadU16(row + 2 * x);
    case 24:
        return static_cast<std::uint32_t>(row[3 * x]) |
               (static_cast<std::uint32_t>(row[3 * x + 1]) << 8) |
               (static_cast<std::uint32_t>(row[3 * x + 2]) << 16);
    default:
        return ReadU32(row + 4 * x);
    }
}

// Unpacks a row of 1-, 2-, 4- or 8-bit indexes into one byte per pixel. Whole bytes first,
// then the pixels of a last, partly used byte.
void UnpackIndexes(const std::uint8_t* row, std::size_t width, std::uint16_t bitCount,
                   std::uint8_t* out) {
    switch (bitCount) {
    case 8:
        std::memcpy(out, row, width);
        return;
    case 4: {
        // Both pixels of a byte at once, from a table: half the stores of going nibble by nibble.
        static const std::array<std::array<std::uint8_t, 2>, 256> s_pairs = [] {
            std::array<std::array<std::uint8_t, 2>, 256> pairs{};
            for (unsigned byte = 0; byte < 256; ++byte) {
                pairs[byte] = {static_cast<std::uint8_t>(byte >> 4),
                               static_cast<std::uint8_t>(byte & 0x0Fu)};
            }
            return pairs;
        }();
        for (std::size_t x = 0; x + 1 < width; x += 2, ++row) {
            std::memcpy(out + x, s_pairs[*row].data(), 2);
        }
        if (width % 2 != 0) {
            out[width - 1] = static_cast<std::uint8_t>(*row >> 4);
        }
        return;
    }
    default: {
        const unsigned perByte = 8u / bitCount;
        const auto mask = static_cast<std::uint8_t>((1u << bitCount) - 1u);
        std::size_t x = 0;
        for (; x + perByte <= width; ++row) {
            for (unsigned shift = 8u; shift > 0; x++) {
                shift -= bitCount;
                out[x] = static_cast<std::uint8_t>((*row >> shift) & mask);
            }
        }
        for (unsigned shift = 8u; x < width; x++) {
            shift -= bitCount;
            out[x] = static_cast<std::uint8_t>((*row >> shift) & mask);
        }
        return;
    }
    }
}

} // namespace

CDibImage::CDibImage() = default;

CDibImage::~CDibImage() = default;

bool CDibImage::Load(const std::string& path) {
    SBmpFileBytes bytes;
    if (!ReadBmpFile(path, MAX_FILE_BYTES, bytes)) {
        return false;
    }
    return Decode(bytes.m_data.get(), bytes.m_size, &bytes.m_data);
}

bool CDibImage::LoadFromMemory(const std::uint8_t* data, std::size_t size) {
    return Decode(data, size, nullptr);
}

bool CDibImage::Decode(const std::uint8_t* data, std::size_t size,
                       std::unique_ptr<std::uint8_t[]>* fileBuffer) {
    if (data == nullptr || size < BMP_FILE_HEADER_SIZE + 4 || data[0] != 0x42 || data[1] != 0x4D) {
        return false;
    }
    const std::uint32_t headerSize = ReadU32(data + BMP_FILE_HEADER_SIZE);
    if (!IsReadableInfoHeaderSize(headerSize) || size < BMP_FILE_HEADER_SIZE + headerSize) {
        return false;
    }
    const SBitmapInfoHeader header = ReadAnyInfoHeader(data + BMP_FILE_HEADER_SIZE);
    const std::size_t totalSize = ReadU32(data + 2);
    const std::size_t pixelOffset = ReadU32(data + 10);
    // A 40-byte header's table is read by the bit count alone. A picture with fewer colours may
    // start its pixels inside that span, so those bytes may well be pixels; only a file too
    // short to hold the whole table is refused.
    const SHeaderSpans spans = HeaderSpans(header, pixelOffset);
    if (size < spans.m_tableEnd) {
        return false;
    }
    SPixelMasks masks;
    if (spans.m_masksAt != 0) {
        masks = ReadPixelMasks(data + spans.m_masksAt);
    }
    std::array<SRgb, 256> colorTable{};
    for (std::size_t i = 0; i < spans.m_tableEntries; ++i) {
        const std::uint8_t* entry = data + spans.m_tableAt + spans.m_entrySize * i;
        colorTable[i] = {entry[2], entry[1], entry[0]};
    }
    if (totalSize <= pixelOffset || totalSize > MAX_FILE_BYTES ||
        pixelOffset < spans.m_headersEnd || totalSize > size) {
        return false;
    }
    if (IsDecodableRle(header)) {
        return CreateFromRle(header, colorTable.data(), data + pixelOffset,
                             totalSize - pixelOffset);
    }
    return Create(header, colorTable.data(), masks, data + pixelOffset, totalSize - pixelOffset,
                  fileBuffer);
}

bool CDibImage::CreateFromRle(const SBitmapInfoHeader& header, const SRgb* colorTable,
                              const std::uint8_t* encoded, std::size_t encodedBytes) {
    Free();
    if (header.m_planes != 1 || header.m_width < 1 || header.m_width > MAX_DIMENSION ||
        header.m_height > MAX_DIMENSION) {
        return false;
    }
    const auto stride = static_cast<std::size_t>(RowStride(header.m_width, header.m_bitCount));
    const std::size_t sectionBytes = stride * static_cast<std::size_t>(header.m_height);
    if (sectionBytes > MAX_PIXEL_BYTES) {
        return false;
    }
    std::unique_ptr<std::uint8_t[]> rows(new (std::nothrow) std::uint8_t[sectionBytes]());
    if (!rows) {
        return false;
    }
    DecodeRle(encoded, encodedBytes, header.m_bitCount, header.m_width, header.m_height, stride,
              rows.get());
    SBitmapInfoHeader decoded = header;
    decoded.m_compression = COMPRESSION_RGB;
    const std::uint8_t* pixels = rows.get();
    return Create(decoded, colorTable, SPixelMasks{}, pixels, sectionBytes, &rows);
}

bool CDibImage::Create(const SBitmapInfoHeader& header, const SRgb* colorTable,
                       const SPixelMasks& masks, const std::uint8_t* pixels, std::size_t pixelBytes,
                       std::unique_ptr<std::uint8_t[]>* fileBuffer) {
    Free();
    switch (header.m_bitCount) {
    case 1:
    case 2:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        return false;
    }
    const bool bitFields = header.m_compression == COMPRESSION_BITFIELDS;
    if (header.m_planes != 1 || (header.m_compression != COMPRESSION_RGB && !bitFields) ||
        (bitFields && !AreValidPixelMasks(masks, header.m_bitCount))) {
        return false;
    }
    const std::int64_t rows =
        header.m_height < 0 ? -static_cast<std::int64_t>(header.m_height) : header.m_height;
    if (header.m_width < 1 || header.m_width > MAX_DIMENSION || rows < 1 || rows > MAX_DIMENSION) {
        return false;
    }
    const auto stride = static_cast<std::size_t>(RowStride(header.m_width, header.m_bitCount));
    const std::size_t sectionBytes = stride * static_cast<std::size_t>(rows);
    if (sectionBytes > MAX_PIXEL_BYTES) {
        return false;
    }
    if (fileBuffer != nullptr && pixelBytes >= sectionBytes) {
        m_storage = std::move(*fileBuffer);
        m_bits = const_cast<std::uint8_t*>(pixels);
    } else {
        // Some writers drop the last row's padding, or more: the rows go as far as the data
        // does and the rest of the picture stays zero.
        m_storage.reset(new (std::nothrow) std::uint8_t[sectionBytes]());
        if (!m_storage) {
            return false;
        }
        std::memcpy(m_storage.get(), pixels, std::min(pixelBytes, sectionBytes));
        m_bits = m_storage.get();
    }

    m_header = header;
    m_header.m_imageSize = static_cast<std::uint32_t>(
        std::min<std::size_t>(pixelBytes, std::numeric_limits<std::uint32_t>::max()));
    m_colorCount = ColorCount(header.m_bitCount);
    std::copy(colorTable, colorTable + m_colorCount, m_colorTable.begin());
    SetMasks(bitFields ? masks : DefaultPixelMasks(header.m_bitCount));
    m_stride = stride;
    m_rowCount = static_cast<std::int32_t>(rows);
    MakePalette();
    return true;
}

void CDibImage::Free() {
    m_header = SBitmapInfoHeader{};
    m_colorTable.fill(SRgb{});
    m_colorCount = 0;
    SetMasks(SPixelMasks{});
    m_bits = nullptr;
    m_storage.reset();
    m_stride = 0;
    m_rowCount = 0;
    m_palette.clear();
}

void CDibImage::SetMasks(const SPixelMasks& masks) {
    m_masks = masks;
    m_channels = {CMaskedChannel(masks.m_red), CMaskedChannel(masks.m_green),
                  CMaskedChannel(masks.m_blue)};
}

void CDibImage::MakePalette() {
    m_palette.clear();
    if (IsEmpty()) {
        return;
    }
    if (m_colorCount == 0) {
        m_palette = CreateDefaultPalette();
        return;
    }
    // What a palette display gets: the entries the colours-used field counts, black after.
    const std::uint32_t entries =
        m_header.m_colorsUsed != 0 ? m_header.m_colorsUsed : (1u << m_header.m_bitCount);
    const auto used = std::min<std::size_t>(entries, static_cast<std::size_t>(m_colorCount));
    m_palette.assign(static_cast<std::size_t>(m_colorCount), SRgb{});
    std::copy(m_colorTable.begin(), m_colorTable.begin() + static_cast<std::ptrdiff_t>(used),
              m_palette.begin());
}

const std::uint8_t* CDibImage::GetRow(std::int32_t y) const {
    if (IsEmpty() || y < 0 || y >= m_rowCount) {
        return nullptr;
    }
    const auto stored = static_cast<std::size_t>(IsTopDown() ? y : m_rowCount - 1 - y);
    return m_bits + stored * m_stride;
}

std::uint8_t* CDibImage::StoredRow(std::int32_t y) {
    return const_cast<std::uint8_t*>(GetRow(y));
}

SRgb CDibImage::GetColorTableEntry(int index) const {
    if (index < 0 || index >= m_colorCount) {
        return {};
    }
    return m_colorTable[static_cast<std::size_t>(index)];
}

SRgb CDibImage::ColorOfValue(std::uint32_t value) const {
    if (m_colorCount > 0) {
        return m_colorTable[value];
    }
    if (m_header.m_bitCount == 24) {
        return {static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
                static_cast<std::uint8_t>(value)};
    }
    return {m_channels[0].Extract(value), m_channels[1].Extract(value),
            m_channels[2].Extract(value)};
}

std::optional<SRgb> CDibImage::GetPixel(std::int32_t x, std::int32_t y) const {
    const std::uint8_t* row = GetRow(y);
    if (row == nullptr || x < 0 || x >= GetWidth()) {
        return std::nullopt;
    }
    return ColorOfValue(PixelValue(row, static_cast<std::size_t>(x), m_header.m_bitCount));
}

void CDibImage::DecodeStoredRow(const std::uint8_t* row, std::uint32_t* out) const {
    const auto width = static_cast<std::size_t>(GetWidth());
    const std::uint16_t bitCount = m_header.m_bitCount;
    if (m_colorCount > 0) {
        std::array<std::uint32_t, 256> argb{};
        for (std::size_t i = 0; i < static_cast<std::size_t>(m_colorCount); ++i) {
            argb[i] = ToArgb(m_colorTable[i]);
        }
        for (std::size_t x = 0; x < width; ++x) {
            out[x] = argb[PixelValue(row, x, bitCount)];
        }
    } else if (bitCount == 24) {
        for (std::size_t x = 0; x < width; ++x, row += 3) {
            out[x] = 0xFF000000u | (static_cast<std::uint32_t>(row[2]) << 16) |
                     (static_cast<std::uint32_t>(row[1]) << 8) | row[0];
        }
    } else if (bitCount == 32 && m_header.m_compression == COMPRESSION_RGB) {
        for (std::size_t x = 0; x < width; ++x, row += 4) {
            out[x] = 0xFF000000u | (ReadU32(row) & 0x00FFFFFFu);
        }
    } else {
        for (std::size_t x = 0; x < width; ++x) {
            out[x] = ToArgb(ColorOfValue(PixelValue(row, x, bitCount)));
        }
    }
}

void CDibImage::DecodeRow(std::int32_t y, std::uint32_t* out) const {
    const std::uint8_t* row = GetRow(y);
    if (row != nullptr) {
        DecodeStoredRow(row, out);
    }
}

bool CDibImage::DecodeIndexRow(std::int32_t y, std::uint8_t* out) const {
    const std::uint8_t* row = GetRow(y);
    if (row == nullptr || m_colorCount == 0) {
        return false;
    }
    UnpackIndexes(row, static_cast<std::size_t>(GetWidth()), m_header.m_bitCount, out);
    return true;
}

bool CDibImage::ConvertTo32Bit() {
    const auto width = static_cast<std::size_t>(GetWidth());
    const std::size_t stride = width * 4;
    const std::size_t rows = static_cast<std::size_t>(m_rowCount);
    std::unique_ptr<std::uint8_t[]> bits(new (std::nothrow) std::uint8_t[stride * rows]);
    std::unique_ptr<std::uint32_t[]> decoded(new (std::nothrow) std::uint32_t[width]);
    if (!bits || !decoded) {
        return false;
    }
    for (std::size_t row = 0; row < rows; ++row) {
        DecodeStoredRow(m_bits + row * m_stride, decoded.get());
        for (std::size_t x = 0; x < width; ++x) {
            StoreU32(bits.get() + row * stride + 4 * x, decoded[x] & 0x00FFFFFFu);
        }
    }
    m_storage = std::move(bits);
    m_bits = m_storage.get();
    m_stride = stride;
    m_header.m_bitCount = 32;
    m_header.m_compression = COMPRESSION_RGB;
    m_header.m_imageSize = static_cast<std::uint32_t>(stride * rows);
    SetMasks(DefaultPixelMasks(32));
    return true;
}

void CDibImage::ReplaceColor(SRgb key, SRgb replacement) {
    if (IsEmpty()) {
        return;
    }
    if (m_colorCount > 0) {
        for (std::size_t i = 0; i < static_cast<std::size_t>(m_colorCount); ++i) {
            if (m_colorTable[i] == key) {
                m_colorTable[i] = replacement;
            }
        }
        MakePalette();
        return;
    }
    if (m_header.m_bitCount == 16 || m_header.m_compression == COMPRESSION_BITFIELDS) {
        if (!ConvertTo32Bit()) {
            return;
        }
    }
    const auto width = static_cast<std::size_t>(GetWidth());
    const std::size_t bytesPerPixel = m_header.m_bitCount / 8u;
    for (std::int32_t y = 0; y < m_rowCount; ++y) {
        std::uint8_t* pixel = StoredRow(y);
        for (std::size_t x = 0; x < width; ++x, pixel += bytesPerPixel) {
            if (pixel[2] == key.m_red && pixel[1] == key.m_green && pixel[0] == key.m_blue) {
                pixel[0] = replacement.m_blue;
                pixel[1] = replacement.m_green;
                pixel[2] = replacement.m_red;
            }
        }
    }
}
