#include "graphics/DibImage.h"
#include "BmpCases.h"
#include "BmpWriter.h"
#include "TempDir.h"
#include "graphics/DefaultPalette.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace {

std::string Describe(SRgb color) {
    return "(" + std::to_string(color.m_red) + "," + std::to_string(color.m_green) + "," +
           std::to_string(color.m_blue) + ")";
}

bool LoadBytes(CDibImage& image, const std::string& bytes) {
    return image.LoadFromMemory(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

SBmpSpec Plain24(int width, int height, SRgb color) {
    SBmpSpec spec;
    spec.m_width = width;
    spec.m_height = height;
    spec.m_pixel = [color](int, int) { return Rgb24(color); };
    return spec;
}

SBmpSpec Paletted4() {
    SBmpSpec spec;
    spec.m_width = 4;
    spec.m_height = 4;
    spec.m_bitCount = 4;
    for (int i = 0; i < 16; ++i) {
        spec.m_colorTable.push_back({static_cast<std::uint8_t>(i * 16), 0, 0});
    }
    spec.m_pixel = [](int x, int y) { return static_cast<std::uint32_t>(x + 4 * y); };
    return spec;
}

constexpr SRgb WHITE{255, 255, 255};
constexpr SRgb GREY{180, 180, 180};

} // namespace

TEST(DibImage, LoadsEveryAcceptedFormatPixelByPixel) {
    CTempDir dir;
    for (const SBmpCase& c : AllFormatCases()) {
        SCOPED_TRACE(c.m_name);
        CDibImage image;
        ASSERT_TRUE(image.Load(dir.Write(c.m_name + ".bmp", MakeBmp(c.m_spec))));
        EXPECT_EQ(image.GetWidth(), c.m_spec.m_width);
        EXPECT_EQ(image.GetHeight(), c.m_spec.m_topDown ? -c.m_spec.m_height : c.m_spec.m_height);
        EXPECT_EQ(image.GetRowCount(), c.m_spec.m_height);
        EXPECT_EQ(image.GetBitCount(), c.m_spec.m_bitCount);
        EXPECT_EQ(image.GetStride(),
                  static_cast<std::size_t>(RowStride(c.m_spec.m_width, c.m_spec.m_bitCount)));
        for (int y = 0; y < c.m_spec.m_height; ++y) {
            for (int x = 0; x < c.m_spec.m_width; ++x) {
                const std::optional<SRgb> shown = image.GetPixel(x, y);
                ASSERT_TRUE(shown.has_value());
                EXPECT_EQ(*shown, c.m_expected(x, y))
                    << "pixel " << x << "," << y << " shows " << Describe(*shown);
            }
        }
        EXPECT_FALSE(image.GetPixel(c.m_spec.m_width, 0).has_value());
        EXPECT_FALSE(image.GetPixel(0, c.m_spec.m_height).has_value());
        EXPECT_FALSE(image.GetPixel(-1, 0).has_value());
    }
}

TEST(DibImage, DecodedRowsAgreeWithSinglePixels) {
    for (const SBmpCase& c : AllFormatCases()) {
        SCOPED_TRACE(c.m_name);
        CDibImage image;
        ASSERT_TRUE(LoadBytes(image, MakeBmp(c.m_spec)));
        std::vector<std::uint32_t> row(static_cast<std::size_t>(c.m_spec.m_width));
        std::vector<std::uint8_t> indexes(row.size());
        for (int y = 0; y < c.m_spec.m_height; ++y) {
            image.DecodeRow(y, row.data());
            const bool paletted = image.DecodeIndexRow(y, indexes.data());
            EXPECT_EQ(paletted, image.GetColorCount() > 0);
            for (int x = 0; x < c.m_spec.m_width; ++x) {
                const SRgb e = c.m_expected(x, y);
                const auto i = static_cast<std::size_t>(x);
                EXPECT_EQ(row[i], 0xFF000000u | Rgb24(e)) << x << "," << y;
                if (paletted) {
                    EXPECT_EQ(image.GetColorTableEntry(indexes[i]), e) << x << "," << y;
                }
            }
        }
    }
}

TEST(DibImage, ColourTableIsReadByBitCountNotByColoursUsed) {
    SBmpSpec spec = Paletted4();
    spec.m_colorsUsed = 3;
    CDibImage image;
    ASSERT_TRUE(LoadBytes(image, MakeBmp(spec)));
    EXPECT_EQ(image.GetColorCount(), 16);
    // Index 15 (bottom-right) shows table entry 15 although colours-used says 3.
    EXPECT_EQ(image.GetPixel(3, 3), (SRgb{240, 0, 0}));
    // The palette counts only the used entries; the rest stay black.
    ASSERT_EQ(image.GetPalette().size(), 16u);
    EXPECT_EQ(image.GetPalette()[2], (SRgb{32, 0, 0}));
    EXPECT_EQ(image.GetPalette()[3], (SRgb{0, 0, 0}));
    EXPECT_EQ(image.GetPalette()[15], (SRgb{0, 0, 0}));
}

TEST(DibImage, PaletteIsTheTableOrTheDefaultPalette) {
    CDibImage paletted;
    ASSERT_TRUE(LoadBytes(paletted, MakeBmp(Paletted4())));
    ASSERT_EQ(paletted.GetPalette().size(), 16u);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(paletted.GetPalette()[static_cast<std::size_t>(i)],
                  paletted.GetColorTableEntry(i));
    }
    for (const std::uint16_t bits : {std::uint16_t{16}, std::uint16_t{24}, std::uint16_t{32}}) {
        SBmpSpec spec;
        spec.m_bitCount = bits;
        CDibImage image;
        ASSERT_TRUE(LoadBytes(image, MakeBmp(spec))) << bits;
        EXPECT_EQ(image.GetColorCount(), 0);
        EXPECT_EQ(image.GetPalette(), CreateDefaultPalette(256)) << bits;
    }
}

TEST(DibImage, TwoBitPictureHasFourEntries) {
    SBmpSpec spec;
    spec.m_width = 4;
    spec.m_bitCount = 2;
    spec.m_colorTable = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}};
    spec.m_pixel = [](int x, int) { return static_cast<std::uint32_t>(3 - x); };
    CDibImage image;
    ASSERT_TRUE(LoadBytes(image, MakeBmp(spec)));
    EXPECT_EQ(image.GetColorCount(), 4);
    EXPECT_EQ(image.GetPixel(0, 0), (SRgb{10, 11, 12}));
    EXPECT_EQ(image.GetPixel(3, 0), (SRgb{1, 2, 3}));
}

TEST(DibImage, ExtraPixelDataIsIgnored) {
    std::string bytes = MakeBmp(Plain24(2, 2, {9, 8, 7}));
    const std::size_t originalSize = bytes.size();
    bytes += std::string(100, '\x55');
    PatchU32(bytes, BMP_TOTAL_SIZE_AT, static_cast<std::uint32_t>(bytes.size()));
    CDibImage image;
    ASSERT_TRUE(LoadBytes(image, bytes));
    EXPECT_EQ(image.GetPixel(1, 1), (SRgb{9, 8, 7}));
    // The header carries the size of the pixel data as the file gives it.
    EXPECT_EQ(image.GetInfoHeader().m_imageSize, originalSize + 100 - BMP_HEADERS_SIZE);
}

// Files rejected while being read leave a loaded picture as it was.
TEST(DibImage, UnreadableFilesLeaveThePictureInPlace) {
    const std::string good = MakeBmp(Paletted4());
    constexpr std::size_t tableEnd = BMP_HEADERS_SIZE + 64;
    const struct {
        const char* m_name;
        std::function<void(std::string&)> m_damage;
    } cases[] = {
        {"empty file", [](std::string& b) { b.clear(); }},
        {"shorter than the headers", [](std::string& b) { b.resize(BMP_HEADERS_SIZE - 1); }},
        {"type BA", [](std::string& b) { b[1] = 'A'; }},
        {"12-byte header", [](std::string& b) { PatchU32(b, BMP_HEADER_SIZE_AT, 12); }},
        {"108-byte header", [](std::string& b) { PatchU32(b, BMP_HEADER_SIZE_AT, 108); }},
        {"124-byte header", [](std::string& b) { PatchU32(b, BMP_HEADER_SIZE_AT, 124); }},
        {"truncated colour table", [](std::string& b) { b.resize(tableEnd - 1); }},
        {"total size equal to the offset",
         [](std::string& b) {
             PatchU32(b, BMP_TOTAL_SIZE_AT, static_cast<std::uint32_t>(tableEnd));
         }},
        {"total size below the offset", [](std::string& b) { PatchU32(b, BMP_TOTAL_SIZE_AT, 3); }},
        {"total size beyond the file",
         [](std::string& b) {
             PatchU32(b, BMP_TOTAL_SIZE_AT, static_cast<std::uint32_t>(b.size() + 1));
         }},
        {"total size 4 GiB", [](std::string& b) { PatchU32(b, BMP_TOTAL_SIZE_AT, 0xFFFFFFFFu); }},
        {"pixel data cut short", [](std::string& b) { b.resize(b.size() - 1); }},
        {"offset beyond the file",
         [](std::string& b) { PatchU32(b, BMP_PIXEL_OFFSET_AT, 0x7FFFFFF0u); }},
        {"offset inside the colour table",
         [](std::string& b) {
             PatchU32(b, BMP_PIXEL_OFFSET_AT, static_cast<std::uint32_t>(tableEnd - 4));
         }},
        {"bit fields without masks",
         [](std::string& b) {
             PatchU16(b, BMP_BIT_COUNT_AT, 16);
             PatchU32(b, BMP_COMPRESSION_AT, COMPRESSION_BITFIELDS);
             b.resize(BMP_HEADERS_SIZE + 11);
         }},
    };
    CTempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.m_name);
        std::string bytes = good;
        c.m_damage(bytes);
        CDibImage image;
        ASSERT_TRUE(image.Load(dir.Write("first.bmp", MakeBmp(Plain24(3, 2, {1, 2, 3})))));
        EXPECT_FALSE(image.Load(dir.Write("damaged.bmp", bytes)));
        EXPECT_FALSE(LoadBytes(image, bytes));
        EXPECT_EQ(image.GetWidth(), 3);
        EXPECT_EQ(image.GetPixel(2, 1), (SRgb{1, 2, 3}));
    }
}

TEST(DibImage, MissingFileKeepsThePictureAndFreeEmptiesIt) {
    CTempDir dir;
    CDibImage image;
    EXPECT_FALSE(image.Load(dir.Path() + "missing.bmp"));
    EXPECT_TRUE(image.IsEmpty());
    ASSERT_TRUE(image.Load(dir.Write("a.bmp", MakeBmp(Plain24(3, 2, {1, 2, 3})))));
    EXPECT_FALSE(image.Load(dir.Path() + "missing.bmp"));
    EXPECT_FALSE(image.Load(dir.Path()));
    EXPECT_EQ(image.GetWidth(), 3);

    ASSERT_TRUE(image.Load(dir.Write("b.bmp", MakeBmp(Paletted4()))));
    EXPECT_EQ(image.GetWidth(), 4);
    EXPECT_EQ(image.GetColorCount(), 16);

    image.Free();
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_EQ(image.GetWidth(), 0);
    EXPECT_EQ(image.GetHeight(), 0);
    EXPECT_EQ(image.GetBitCount(), 0);
    EXPECT_EQ(image.GetColorCount(), 0);
    EXPECT_TRUE(image.GetPalette().empty());
    EXPECT_EQ(image.GetBits(), nullptr);
    EXPECT_FALSE(image.GetPixel(0, 0).has_value());
}

// Files that read well but describe no picture we can make leave the image empty, as a failed
// section creation does.
TEST(DibImage, PicturesThatCannotBeMadeLeaveTheImageEmpty) {
    const auto header = [](std::size_t at, std::uint32_t value) {
        return [at, value](std::string& b) { PatchU32(b, at, value); };
    };
    const struct {
        const char* m_name;
        std::function<void(std::string&)> m_damage;
    } cases[] = {
        {"run-length 8", header(BMP_COMPRESSION_AT, 1)},
        {"run-length 4", header(BMP_COMPRESSION_AT, 2)},
        {"JPEG", header(BMP_COMPRESSION_AT, 4)},
        {"PNG", header(BMP_COMPRESSION_AT, 5)},
        {"bit fields on 24 bits", header(BMP_COMPRESSION_AT, COMPRESSION_BITFIELDS)},
        {"bit count 0", [](std::string& b) { PatchU16(b, BMP_BIT_COUNT_AT, 0); }},
        {"bit count 3", [](std::string& b) { PatchU16(b, BMP_BIT_COUNT_AT, 3); }},
        {"bit count 64", [](std::string& b) { PatchU16(b, BMP_BIT_COUNT_AT, 64); }},
        {"no planes", [](std::string& b) { PatchU16(b, BMP_PLANES_AT, 0); }},
        {"two planes", [](std::string& b) { PatchU16(b, BMP_PLANES_AT, 2); }},
        {"width 0", header(BMP_WIDTH_AT, 0)},
        {"negative width", header(BMP_WIDTH_AT, static_cast<std::uint32_t>(-4))},
        {"width 16385", header(BMP_WIDTH_AT, 16385)},
        {"huge width", header(BMP_WIDTH_AT, 0x7FFFFFFFu)},
        {"height 0", header(BMP_HEIGHT_AT, 0)},
        {"height 16385", header(BMP_HEIGHT_AT, 16385)},
        {"height -16385", header(BMP_HEIGHT_AT, static_cast<std::uint32_t>(-16385))},
        {"most negative height", header(BMP_HEIGHT_AT, 0x80000000u)},
        {"more rows than pixel data", header(BMP_HEIGHT_AT, 3)},
        {"wider than the pixel data", header(BMP_WIDTH_AT, 5)},
        {"beyond 64 MiB of rows",
         [](std::string& b) {
             PatchU32(b, BMP_WIDTH_AT, 16384);
             PatchU32(b, BMP_HEIGHT_AT, 16384);
             PatchU16(b, BMP_BIT_COUNT_AT, 32);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.m_name);
        std::string bytes = MakeBmp(Plain24(4, 2, {5, 6, 7}));
        c.m_damage(bytes);
        CDibImage image;
        ASSERT_TRUE(LoadBytes(image, MakeBmp(Plain24(3, 3, {1, 2, 3}))));
        EXPECT_FALSE(LoadBytes(image, bytes));
        EXPECT_TRUE(image.IsEmpty());
        EXPECT_EQ(image.GetWidth(), 0);
    }
}

TEST(DibImage, LargestPicturesWithinTheLimitsLoad) {
    // 16384 x 1024 x 32 bits is exactly 64 MiB of rows.
    SBmpSpec spec;
    spec.m_width = 16384;
    spec.m_height = 1024;
    spec.m_bitCount = 32;
    spec.m_topDown = true;
    spec.m_pixel = [](int x, int y) { return static_cast<std::uint32_t>(x ^ y); };
    CDibImage image;
    ASSERT_TRUE(LoadBytes(image, MakeBmp(spec)));
    EXPECT_EQ(image.GetStride() * static_cast<std::size_t>(image.GetRowCount()),
              CDibImage::MAX_PIXEL_BYTES);
    EXPECT_EQ(image.GetPixel(16383, 1023), (SRgb{0, 0x3C, 0}));
}

TEST(DibImage, BadBitFieldMasksAreRefused) {
    const SPixelMasks bad[] = {
        {0xF800u, 0x0FE0u, 0x001Fu},   // red and green overlap
        {0xF000u, 0x07E0u, 0x001Fu},   // fine on its own: a gap is allowed between channels
        {0x1F0000u, 0x07E0u, 0x001Fu}, // red beyond 16 bits
        {0xA800u, 0x07E0u, 0x001Fu},   // red not a single run
    };
    const bool accepted[] = {false, true, false, false};
    for (std::size_t i = 0; i < std::size(bad); ++i) {
        SBmpSpec spec;
        spec.m_bitCount = 16;
        spec.m_bitFields = true;
        spec.m_masks = bad[i];
        CDibImage image;
        EXPECT_EQ(LoadBytes(image, MakeBmp(spec)), accepted[i]) << i;
    }
}

TEST(DibImage, SetPixelStoresTheNearestColourTheFormatHolds) {
    CDibImage rgb;
    ASSERT_TRUE(LoadBytes(rgb, MakeBmp(Plain24(3, 2, {0, 0, 0}))));
    EXPECT_TRUE(rgb.SetPixel(2, 0, {180, 181, 182}));
    EXPECT_EQ(rgb.GetPixel(2, 0), (SRgb{180, 181, 182}));
    EXPECT_EQ(rgb.GetPixel(2, 1), (SRgb{0, 0, 0}));
    EXPECT_FALSE(rgb.SetPixel(3, 0, {1, 1, 1}));
    EXPECT_FALSE(rgb.SetPixel(0, -1, {1, 1, 1}));

    // 4 bits: the nearest table entry (16 levels of red, 16 apart).
    CDibImage paletted;
    ASSERT_TRUE(LoadBytes(paletted, MakeBmp(Paletted4())));
    EXPECT_TRUE(paletted.SetPixel(1, 0, {100, 3, 3}));
    EXPECT_EQ(paletted.GetPixel(1, 0), (SRgb{96, 0, 0}));
    EXPECT_EQ(paletted.GetPixel(0, 0), (SRgb{0, 0, 0}));
    EXPECT_EQ(paletted.GetPixel(2, 0), (SRgb{32, 0, 0}));

    // 5-5-5: 180 is not a level; 181 (22 of 31) is the nearest.
    SBmpSpec spec16;
    spec16.m_width = 2;
    spec16.m_bitCount = 16;
    CDibImage high;
    ASSERT_TRUE(LoadBytes(high, MakeBmp(spec16)));
    EXPECT_TRUE(high.SetPixel(1, 0, {180, 255, 0}));
    EXPECT_EQ(high.GetPixel(1, 0), (SRgb{181, 255, 0}));
    EXPECT_EQ(high.GetPixel(0, 0), (SRgb{0, 0, 0}));
}

TEST(DibImage, ReplaceColorChangesExactlyTheKeyPixelsInEveryFormat) {
    for (const SBmpCase& c : AllFormatCases()) {
        SCOPED_TRACE(c.m_name);
        CDibImage image;
        ASSERT_TRUE(LoadBytes(image, MakeBmp(c.m_spec)));
        const SRgb keyShown = *image.GetPixel(0, 0);
        image.ReplaceColor(keyShown, GREY);
        for (int y = 0; y < c.m_spec.m_height; ++y) {
            for (int x = 0; x < c.m_spec.m_width; ++x) {
                const SRgb before = c.m_expected(x, y);
                EXPECT_EQ(*image.GetPixel(x, y), before == keyShown ? GREY : before)
                    << x << "," << y;
            }
        }
        // Formats that can hold any colour of a table entry keep their bit count; 16-bit and
        // bit-field pictures become plain 32-bit ones.
        const bool converted =
            c.m_spec.m_bitCount == 16 || (c.m_spec.m_bitFields && c.m_spec.m_bitCount == 32);
        EXPECT_EQ(image.GetBitCount(), converted ? 32 : c.m_spec.m_bitCount);
        EXPECT_EQ(image.IsTopDown(), c.m_spec.m_topDown);
    }
}

TEST(DibImage, ReplaceColorRewritesEveryTableEntryOfTheKey) {
    SBmpSpec spec = Paletted4();
    spec.m_colorTable[0] = WHITE;
    spec.m_colorTable[9] = WHITE;
    CDibImage image;
    ASSERT_TRUE(LoadBytes(image, MakeBmp(spec)));
    image.ReplaceColor(WHITE, GREY);
    EXPECT_EQ(image.GetPixel(0, 0), GREY);
    EXPECT_EQ(image.GetPixel(1, 2), GREY); // index 9
    EXPECT_EQ(image.GetPixel(2, 2), (SRgb{160, 0, 0}));
    EXPECT_EQ(image.GetPalette()[9], GREY);
    EXPECT_EQ(image.GetBitCount(), 4);
}
