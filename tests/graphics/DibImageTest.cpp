#include "graphics/DibImage.h"
#include "BmpCases.h"
#include "BmpWriter.h"
#include "TempDir.h"
#include "graphics/DefaultPalette.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

using FDamage = std::function<void(std::string&)>;

FDamage Patch16(std::size_t at, std::uint16_t value) {
    return [at, value](std::string& b) { PatchU16(b, at, value); };
}

FDamage Patch32(std::size_t at, std::uint32_t value) {
    return [at, value](std::string& b) { PatchU32(b, at, value); };
}

FDamage Cut(std::size_t size) {
    return [size](std::string& b) { b.resize(size); };
}

struct SDamageCase {
    const char* m_name;
    FDamage m_damage;
};

constexpr SRgb GREY{180, 180, 180};

} // namespace

// Read from a file, pixel by pixel and row by row (as drawing does): the same colours. Then the
// key colour is replaced exactly: only the pixels that showed it change.
TEST(DibImage, LoadsEveryAcceptedFormatAndReplacesItsColours) {
    CTempDir dir;
    for (const SBmpCase& c : AllFormatCases()) {
        SCOPED_TRACE(c.m_name);
        const SBmpLayout& layout = c.m_layout;
        const bool paletted = layout.m_bitCount <= 8;
        // A palette display gets the entries the colours-used field counts, black after.
        std::vector<SRgb> palette(static_cast<std::size_t>(ColorCount(layout.m_bitCount)));
        for (std::size_t i = 0; i < palette.size() && i < layout.m_colorTable.size(); ++i) {
            palette[i] = layout.m_colorsUsed == 0 || i < layout.m_colorsUsed
                             ? layout.m_colorTable[i]
                             : SRgb{};
        }
        CDibImage image;
        ASSERT_TRUE(image.Load(dir.Write(c.m_name + ".bmp", MakeBmp(layout))));
        EXPECT_EQ(image.GetWidth(), layout.m_width);
        EXPECT_EQ(image.GetHeight(), layout.m_topDown ? -layout.m_height : layout.m_height);
        EXPECT_EQ(image.GetPalette(), paletted ? palette : CreateDefaultPalette());
        std::vector<std::uint32_t> row(static_cast<std::size_t>(layout.m_width));
        std::vector<std::uint8_t> indexes(row.size());
        for (int y = 0; y < layout.m_height; ++y) {
            image.DecodeRow(y, row.data());
            EXPECT_EQ(image.DecodeIndexRow(y, indexes.data()), paletted);
            for (int x = 0; x < layout.m_width; ++x) {
                const SRgb expected = c.m_expected(x, y);
                const auto i = static_cast<std::size_t>(x);
                EXPECT_EQ(image.GetPixel(x, y), expected) << "pixel " << x << "," << y;
                EXPECT_EQ(row[i], 0xFF000000u | Rgb24(expected)) << "row " << x << "," << y;
                if (paletted) {
                    EXPECT_EQ(image.GetColorTableEntry(indexes[i]), expected) << x << "," << y;
                }
            }
        }
        EXPECT_FALSE(image.GetPixel(layout.m_width, 0).has_value());
        EXPECT_FALSE(image.GetPixel(0, layout.m_height).has_value());
        EXPECT_FALSE(image.GetPixel(-1, 0).has_value());
        const SRgb keyShown = *image.GetPixel(0, 0);
        image.ReplaceColor(keyShown, GREY);
        for (int y = 0; y < layout.m_height; ++y) {
            for (int x = 0; x < layout.m_width; ++x) {
                const SRgb before = c.m_expected(x, y);
                EXPECT_EQ(image.GetPixel(x, y), before == keyShown ? GREY : before)
                    << x << "," << y;
            }
        }
    }
}

// Files as today's tools write them show exactly the picture that an uncompressed file with the
// common 40-byte header shows.
TEST(DibImage, ToolFormatsShowTheSamePictureAsTheCommonHeader) {
    for (const SBmpPairCase& c : ToolFormatCases()) {
        SCOPED_TRACE(c.m_name);
        CDibImage image;
        CDibImage reference;
        ASSERT_TRUE(LoadBytes(reference, c.m_reference));
        ASSERT_TRUE(LoadBytes(image, c.m_bytes));
        ASSERT_EQ(image.GetWidth(), reference.GetWidth());
        ASSERT_EQ(image.GetHeight(), reference.GetHeight());
        EXPECT_EQ(image.GetPalette(), reference.GetPalette());
        for (int y = 0; y < image.GetRowCount(); ++y) {
            for (int x = 0; x < image.GetWidth(); ++x) {
                EXPECT_EQ(image.GetPixel(x, y), reference.GetPixel(x, y)) << x << "," << y;
            }
        }
    }
}

// A file refused while being read leaves a loaded picture as it was; one that reads well but
// describes no picture we can make leaves the image empty (freed), as a failed section creation
// does.
TEST(DibImage, DamagedFilesAreRefused) {
    const std::vector<SBmpCase> cases = AllFormatCases();
    const SBmpCase& fourBit = cases[2]; // 5 x 4, 16 bytes of pixels after the table
    ASSERT_EQ(fourBit.m_name, "4bit");
    const std::string good = MakeBmp(fourBit.m_layout);
    const auto tableEnd = static_cast<std::uint32_t>(BMP_HEADERS_SIZE + 64);
    const std::vector<SDamageCase> unreadable = {
        {"empty file", Cut(0)},
        {"shorter than the headers", Cut(BMP_HEADERS_SIZE - 1)},
        {"type BA", Patch16(0, 0x4142)},
        {"16-byte OS/2 header", Patch32(BMP_HEADER_SIZE_AT, 16)},
        {"64-byte OS/2 header", Patch32(BMP_HEADER_SIZE_AT, 64)},
        {"124-byte header longer than the file", Patch32(BMP_HEADER_SIZE_AT, 124)},
        {"truncated colour table", Cut(tableEnd - 1)},
        {"total size equal to the offset", Patch32(BMP_TOTAL_SIZE_AT, tableEnd)},
        {"total size beyond the file",
         Patch32(BMP_TOTAL_SIZE_AT, static_cast<std::uint32_t>(good.size() + 1))},
        {"pixel data cut short", Cut(good.size() - 1)},
        {"offset beyond the file", Patch32(BMP_PIXEL_OFFSET_AT, 0x7FFFFFF0u)},
        {"offset inside the info header", Patch32(BMP_PIXEL_OFFSET_AT, BMP_HEADERS_SIZE - 1)},
        {"bit fields without masks",
         [](std::string& b) {
             PatchU16(b, BMP_BIT_COUNT_AT, 16);
             PatchU32(b, BMP_COMPRESSION_AT, COMPRESSION_BITFIELDS);
             b.resize(BMP_HEADERS_SIZE + 11);
         }},
    };
    const std::vector<SDamageCase> impossible = {
        {"run-length 8 on 4 bits", Patch32(BMP_COMPRESSION_AT, COMPRESSION_RLE8)},
        {"run-length 4 stored top-down",
         [](std::string& b) {
             PatchU32(b, BMP_COMPRESSION_AT, COMPRESSION_RLE4);
             PatchU32(b, BMP_HEIGHT_AT, static_cast<std::uint32_t>(-4));
         }},
        {"PNG", Patch32(BMP_COMPRESSION_AT, 5)},
        {"bit fields on 4 bits", Patch32(BMP_COMPRESSION_AT, COMPRESSION_BITFIELDS)},
        {"bit count 0", Patch16(BMP_BIT_COUNT_AT, 0)},
        {"bit count 3", Patch16(BMP_BIT_COUNT_AT, 3)},
        {"bit count 64", Patch16(BMP_BIT_COUNT_AT, 64)},
        {"no planes", Patch16(BMP_PLANES_AT, 0)},
        {"two planes", Patch16(BMP_PLANES_AT, 2)},
        {"width 0", Patch32(BMP_WIDTH_AT, 0)},
        {"negative width", Patch32(BMP_WIDTH_AT, static_cast<std::uint32_t>(-4))},
        {"huge width", Patch32(BMP_WIDTH_AT, 0x7FFFFFFFu)},
        {"height 0", Patch32(BMP_HEIGHT_AT, 0)},
        {"most negative height", Patch32(BMP_HEIGHT_AT, 0x80000000u)},
    };
    CTempDir dir;
    const std::string first = dir.Write("first.bmp", SolidBmp(3, 2, {1, 2, 3}));
    for (const bool keeps : {true, false}) {
        for (const SDamageCase& c : keeps ? unreadable : impossible) {
            std::string bytes = good;
            c.m_damage(bytes);
            const std::string damaged = dir.Write("damaged.bmp", bytes);
            for (const bool fromFile : {true, false}) {
                SCOPED_TRACE(std::string(c.m_name) + (fromFile ? " from a file" : " in memory"));
                CDibImage image;
                ASSERT_TRUE(image.Load(first));
                EXPECT_FALSE(fromFile ? image.Load(damaged) : LoadBytes(image, bytes));
                EXPECT_EQ(image.GetWidth(), keeps ? 3 : 0);
                EXPECT_EQ(image.GetPalette().empty(), !keeps);
                EXPECT_EQ(image.GetPixel(2, 1),
                          keeps ? std::optional<SRgb>(SRgb{1, 2, 3}) : std::nullopt);
            }
        }
    }
    // Neither a missing file nor a folder replaces it either; a picture that loads does.
    CDibImage image;
    ASSERT_TRUE(image.Load(first));
    EXPECT_FALSE(image.Load(dir.Path() + "missing.bmp"));
    EXPECT_FALSE(image.Load(dir.Path()));
    EXPECT_EQ(image.GetPixel(2, 1), (SRgb{1, 2, 3}));
    ASSERT_TRUE(LoadBytes(image, good));
    EXPECT_EQ(image.GetPixel(3, 0), fourBit.m_expected(3, 0));
}

// The files carry every row they announce, so only the limits can refuse them: 16384 pixels a
// side, and 64 MiB of rows (16384 x 1024 x 32 bits exactly).
TEST(DibImage, SidesUpTo16384PixelsAndRowsUpTo64MiBLoad) {
    const struct {
        std::int32_t m_width;
        std::int32_t m_height;
        std::uint16_t m_bitCount;
        bool m_topDown;
        bool m_loads;
    } sides[] = {
        // clang-format off
        {16384, 1, 1, false, true}, {16385, 1, 1, false, false}, {1, 16384, 1, true, true},
        {1, 16385, 1, false, false}, {1, 16385, 1, true, false}, {16384, 1024, 32, true, true},
        {16384, 1025, 32, true, false},
        // clang-format on
    };
    for (const auto& side : sides) {
        SBmpLayout layout;
        layout.m_width = side.m_width;
        layout.m_height = side.m_height;
        layout.m_bitCount = side.m_bitCount;
        layout.m_topDown = side.m_topDown;
        CDibImage image;
        EXPECT_EQ(LoadBytes(image, MakeBmp(layout)), side.m_loads)
            << side.m_width << "x" << side.m_height << "x" << side.m_bitCount;
    }
}
