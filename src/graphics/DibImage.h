#pragma once

#include "DibFormat.h"
#include "MaskedChannel.h"
#include "Rgb.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// A picture read from a Windows bitmap file, decoded by our own reader and kept as the file
// stores it: the info header, the colour table, the pixel rows in their stored order and
// padding, and the palette made for it. Drawing (in the Qt library) and the button-picture
// pass work from these buffers.
//
// Accepted: info headers of 40 bytes, of 108 and 124 bytes (today's tools) and the 12-byte OS/2
// core header; uncompressed pictures of 1, 2, 4, 8, 16, 24 and 32 bits, bit-field pictures of
// 16 and 32 bits (their three masks follow a 40-byte header or lie inside a longer one), and
// run-length encoded pictures of 4 (RLE4) and 8 bits (RLE8), which are decoded into plain rows
// when loaded. 16-bit pictures without masks are 5-5-5 (the top bit unused). JPEG and PNG
// pictures are refused, as is every file whose sizes do not add up: at most 16384 pixels a side
// and 64 MiB of pixel rows, and nothing may point outside the file or into its headers. Pixel
// data that covers fewer rows than the picture has fills it as far as it goes; the rest is zero.
//
// Coordinates are screen coordinates: (0, 0) is the top-left pixel, whichever order the rows are
// stored in. A picture stored top-down (negative height) is shown upright.
class CDibImage {
public:
    static constexpr std::int32_t MAX_DIMENSION = 16384;
    static constexpr std::size_t MAX_PIXEL_BYTES = std::size_t{64} << 20;
    // Larger files cannot hold a picture within the limits (but for junk after the rows).
    static constexpr std::size_t MAX_FILE_BYTES = MAX_PIXEL_BYTES + (std::size_t{1} << 20);

    CDibImage();
    virtual ~CDibImage();
    CDibImage(const CDibImage&) = delete;
    CDibImage& operator=(const CDibImage&) = delete;

    // Replaces the picture with the file at path (UTF-8). A file that cannot be read, is not a
    // bitmap file, has an info header of another size, is too short for the full colour
    // table or the mask block, has a total size beyond the file or not beyond its pixel offset,
    // or a pixel offset inside its headers leaves the image as it was. A file that gets that far
    // but describes a picture that cannot be made (format, dimensions) leaves the image empty.
    bool Load(const std::string& path);
    // The same on the bytes of a whole file.
    bool LoadFromMemory(const std::uint8_t* data, std::size_t size);
    void Free();

    bool IsEmpty() const { return m_bits == nullptr; }
    // 0 when empty; other parts take a width above 0 to mean a picture is present.
    std::int32_t GetWidth() const { return m_header.m_width; }
    // As stored: negative for a picture stored top-down.
    std::int32_t GetHeight() const { return m_header.m_height; }
    // The number of rows, whichever way they are stored.
    std::int32_t GetRowCount() const { return m_rowCount; }
    bool IsTopDown() const { return m_header.m_height < 0; }
    std::uint16_t GetBitCount() const { return m_header.m_bitCount; }
    const SBitmapInfoHeader& GetInfoHeader() const { return m_header; }
    std::size_t GetStride() const { return m_stride; }
    // The rows in stored order.
    const std::uint8_t* GetBits() const { return m_bits; }
    // The stored bytes of screen row y (0 at the top); nullptr outside the picture.
    const std::uint8_t* GetRow(std::int32_t y) const;

    // Colour-table entries: 2, 4, 16 or 256 for 1, 2, 4 and 8 bits, 0 otherwise.
    int GetColorCount() const { return m_colorCount; }
    SRgb GetColorTableEntry(int index) const;
    const SPixelMasks& GetPixelMasks() const { return m_masks; }
    // For a picture with a colour table, its entries up to the colours-used field (all when that
    // is 0) and black after; for 16, 24 and 32 bits the 256-entry default palette. It matters
    // only to palette displays and is kept for them.
    const std::vector<SRgb>& GetPalette() const { return m_palette; }

    // The colour shown at (x, y); none outside the picture.
    std::optional<SRgb> GetPixel(std::int32_t x, std::int32_t y) const;

    // Screen row y as 0xFFRRGGBB values, width of them.
    void DecodeRow(std::int32_t y, std::uint32_t* out) const;
    // Screen row y as colour-table indexes, one byte each; false for pictures without a table.
    bool DecodeIndexRow(std::int32_t y, std::uint8_t* out) const;

    // Makes every pixel showing the key colour show the replacement instead, exactly. Pictures
    // with a colour table get the replacement in each table entry that holds the key, so their
    // format is kept; 16-bit and bit-field pictures, which cannot hold every colour, become
    // plain 32-bit pictures first.
    void ReplaceColor(SRgb key, SRgb replacement);

private:
    // With fileBuffer, the rows stay where they are in it and the image takes it over;
    // otherwise they are copied.
    bool Decode(const std::uint8_t* data, std::size_t size,
                std::unique_ptr<std::uint8_t[]>* fileBuffer);
    bool Create(const SBitmapInfoHeader& header, const SRgb* colorTable, const SPixelMasks& masks,
                const std::uint8_t* pixels, std::size_t pixelBytes,
                std::unique_ptr<std::uint8_t[]>* fileBuffer);
    // Decodes run-length encoded rows into an uncompressed picture of the same bit count.
    bool CreateFromRle(const SBitmapInfoHeader& header, const SRgb* colorTable,
                       const std::uint8_t* encoded, std::size_t encodedBytes);
    void MakePalette();
    void SetMasks(const SPixelMasks& masks);
    void DecodeStoredRow(const std::uint8_t* row, std::uint32_t* out) const;
    bool ConvertTo32Bit();
    std::uint8_t* StoredRow(std::int32_t y);
    SRgb ColorOfValue(std::uint32_t value) const;

    SBitmapInfoHeader m_header;
    std::array<SRgb, 256> m_colorTable{};
    int m_colorCount = 0;
    SPixelMasks m_masks;
    std::array<CMaskedChannel, 3> m_channels;
    // Owns the rows: a copy of them, or the whole file buffer they were read into by Load.
    std::unique_ptr<std::uint8_t[]> m_storage;
    std::uint8_t* m_bits = nullptr; // the first stored row, within m_storage
    std::size_t m_stride = 0;
    std::int32_t m_rowCount = 0;
    std::vector<SRgb> m_palette;
};
