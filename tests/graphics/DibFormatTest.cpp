#include "graphics/DibFormat.h"
#include "graphics/DefaultPalette.h"
#include "graphics/MaskedChannel.h"

#include <gtest/gtest.h>

#include <cstdint>

TEST(DibFormat, ColorCountFollowsTheBitCount) {
    const struct {
        std::uint16_t m_bits;
        int m_count;
    } cases[] = {{1, 2}, {2, 4}, {4, 16}, {8, 256}, {0, 0}, {3, 0}, {16, 0}, {24, 0}, {32, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(ColorCount(c.m_bits), c.m_count) << c.m_bits;
    }
}

TEST(DibFormat, RowStridePadsToFourBytes) {
    const struct {
        std::int32_t m_width;
        std::uint16_t m_bits;
        std::int64_t m_stride;
    } cases[] = {{1, 1, 4},
                 {32, 1, 4},
                 {33, 1, 8},
                 {7, 2, 4},
                 {17, 2, 8},
                 {5, 4, 4},
                 {9, 4, 8},
                 {3, 8, 4},
                 {3, 24, 12},
                 {4, 24, 12},
                 {1, 32, 4},
                 {2, 16, 4},
                 {3, 16, 8},
                 {0, 24, 0},
                 {-1, 8, 0},
                 {16384, 32, 65536},
                 {0x7FFFFFFF, 32, 0x1FFFFFFFCll}};
    for (const auto& c : cases) {
        EXPECT_EQ(RowStride(c.m_width, c.m_bits), c.m_stride) << c.m_width << "x" << c.m_bits;
    }
}

TEST(DibFormat, PixelMasksMustBeSeparateRunsWithinThePixel) {
    const struct {
        SPixelMasks m_masks;
        std::uint16_t m_bits;
        bool m_valid;
    } cases[] = {
        {{0x7C00u, 0x03E0u, 0x001Fu}, 16, true},
        {{0xF800u, 0x07E0u, 0x001Fu}, 16, true},
        {{0u, 0u, 0u}, 16, true},
        {{0xFF000000u, 0x00FF0000u, 0x0000FF00u}, 32, true},
        {{0xFF000000u, 0x00FF0000u, 0x0000FF00u}, 16, false},
        {{0x7C00u, 0x03E0u, 0x001Fu}, 24, false},
        {{0x7C00u, 0x07E0u, 0x001Fu}, 16, false},
        {{0x7C01u, 0x03E0u, 0x0000u}, 16, false},
        {{0x80000001u, 0u, 0u}, 32, false},
        {{0xFFFFFFFFu, 0u, 0u}, 32, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AreValidPixelMasks(c.m_masks, c.m_bits), c.m_valid)
            << std::hex << c.m_masks.m_red << " " << c.m_masks.m_green << " " << c.m_masks.m_blue
            << " at " << std::dec << c.m_bits;
    }
}

TEST(MaskedChannel, WidensNarrowChannelsToTheFullRange) {
    const CMaskedChannel five(0x7C00u);
    EXPECT_EQ(five.Extract(0x7C00u), 255);
    EXPECT_EQ(five.Extract(0x0000u), 0);
    EXPECT_EQ(five.Extract(0x4000u), 132); // 16 -> 10000 100
    EXPECT_EQ(five.Extract(0x83FFu), 0);   // bits outside the mask do not count
    const CMaskedChannel six(0x07E0u);
    EXPECT_EQ(six.Extract(0x07E0u), 255);
    EXPECT_EQ(six.Extract(0x0020u), 4); // 1 -> 000001 00
    const CMaskedChannel one(0x8000u);
    EXPECT_EQ(one.Extract(0x8000u), 255);
    const CMaskedChannel three(0x7u);
    EXPECT_EQ(three.Extract(0x5u), 0xB6); // 101 101 10
    const CMaskedChannel ten(0x3FF00000u);
    EXPECT_EQ(ten.Extract(0x3FF00000u), 255);
    EXPECT_EQ(ten.Extract(0x20300000u), 0x80);
    const CMaskedChannel none(0u);
    EXPECT_EQ(none.Extract(0xFFFFFFFFu), 0);
    EXPECT_EQ(none.Encode(255), 0u);
}

TEST(DefaultPalette, HoldsFixedColoursCubeAndGreys) {
    const std::vector<SRgb> palette = CreateDefaultPalette(256);
    ASSERT_EQ(palette.size(), 256u);
    EXPECT_EQ(palette[0], (SRgb{0, 0, 0}));
    EXPECT_EQ(palette[1], (SRgb{255, 255, 255}));
    EXPECT_EQ(palette[4], (SRgb{255, 255, 0}));
    EXPECT_EQ(palette[8], (SRgb{128, 0, 0}));
    EXPECT_EQ(palette[15], (SRgb{192, 192, 192}));
    // The cube: red fastest, then green, blue slowest.
    EXPECT_EQ(palette[16], (SRgb{0, 0, 0}));
    EXPECT_EQ(palette[17], (SRgb{51, 0, 0}));
    EXPECT_EQ(palette[21], (SRgb{255, 0, 0}));
    EXPECT_EQ(palette[22], (SRgb{0, 51, 0}));
    EXPECT_EQ(palette[16 + 36], (SRgb{0, 0, 51}));
    EXPECT_EQ(palette[16 + 1 + 2 * 6 + 3 * 36], (SRgb{51, 102, 153}));
    EXPECT_EQ(palette[231], (SRgb{255, 255, 255}));
    // 24 greys 255 * k / 23, truncated.
    const std::uint8_t greys[] = {0,   11,  22,  33,  44,  55,  66,  77,  88,  99,  110, 121,
                                  133, 144, 155, 166, 177, 188, 199, 210, 221, 232, 243, 255};
    for (std::size_t k = 0; k < 24; ++k) {
        EXPECT_EQ(palette[232 + k], (SRgb{greys[k], greys[k], greys[k]})) << k;
    }
}

TEST(DefaultPalette, EntryCountCutsTheListOrMeans256) {
    const std::vector<SRgb> full = CreateDefaultPalette(256);
    const std::vector<SRgb> sixteen = CreateDefaultPalette(16);
    EXPECT_EQ(sixteen, std::vector<SRgb>(full.begin(), full.begin() + 16));
    EXPECT_EQ(CreateDefaultPalette(2), (std::vector<SRgb>{{0, 0, 0}, {255, 255, 255}}));
    EXPECT_EQ(CreateDefaultPalette(1), (std::vector<SRgb>{{0, 0, 0}}));
    EXPECT_EQ(CreateDefaultPalette(100).size(), 100u);
    for (const int count : {0, -1, -1000, 257, 100000}) {
        EXPECT_EQ(CreateDefaultPalette(count), full) << count;
    }
}
