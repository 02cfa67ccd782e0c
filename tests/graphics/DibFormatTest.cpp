#include "graphics/DibFormat.h"
#include "BmpCases.h"
#include "graphics/DefaultPalette.h"

#include <gtest/gtest.h>

#include <cstdint>

// Checked on their own and in a file: a picture with masks that fail is refused.
TEST(DibFormat, PixelMasksMustBeSeparateRunsWithinThePixel) {
    const struct {
        SPixelMasks m_masks;
        std::uint16_t m_bits;
        bool m_valid;
    } cases[] = {
        // clang-format off
        {{0x7C00u, 0x03E0u, 0x001Fu}, 16, true}, {{0u, 0u, 0u}, 16, true},
        {{0xF000u, 0x07E0u, 0x001Fu}, 16, true}, // a gap between channels is fine
        {{0xFF000000u, 0x00FF0000u, 0x0000FF00u}, 32, true}, {{0xFFFFFFFFu, 0u, 0u}, 32, true},
        {{0xFF000000u, 0x00FF0000u, 0x0000FF00u}, 16, false}, {{0x80000001u, 0u, 0u}, 32, false},
        {{0x7C00u, 0x03E0u, 0x001Fu}, 24, false}, {{0x7C00u, 0x07E0u, 0x001Fu}, 16, false},
        {{0x7C01u, 0x03E0u, 0x0000u}, 16, false},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << std::hex << c.m_masks.m_red << " " << c.m_masks.m_green << " "
                     << c.m_masks.m_blue << " at " << std::dec << c.m_bits);
        EXPECT_EQ(AreValidPixelMasks(c.m_masks, c.m_bits), c.m_valid);
        SBmpLayout layout;
        layout.m_bitCount = c.m_bits;
        layout.m_bitFields = true;
        layout.m_masks = c.m_masks;
        CDibImage image;
        EXPECT_EQ(LoadBytes(image, MakeBmp(layout)), c.m_valid);
    }
}

TEST(DefaultPalette, HoldsFixedColoursCubeAndGreys) {
    const std::vector<SRgb> palette = CreateDefaultPalette();
    ASSERT_EQ(palette.size(), 256u);
    const std::pair<std::size_t, SRgb> entries[] = {
        // clang-format off
        {0, {0, 0, 0}}, {1, {255, 255, 255}}, {4, {255, 255, 0}}, {8, {128, 0, 0}},
        {15, {192, 192, 192}},
        // The cube: red fastest, then green, blue slowest.
        {16, {0, 0, 0}}, {17, {51, 0, 0}}, {21, {255, 0, 0}}, {22, {0, 51, 0}}, {52, {0, 0, 51}},
        {137, {51, 102, 153}}, {231, {255, 255, 255}},
        // 24 greys 255 * k / 23, truncated.
        {232, {0, 0, 0}}, {233, {11, 11, 11}}, {243, {121, 121, 121}}, {255, {255, 255, 255}},
        // clang-format on
    };
    for (const auto& [index, color] : entries) {
        EXPECT_EQ(palette[index], color) << index;
    }
}
