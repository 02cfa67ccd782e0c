#include "DefaultPalette.h"

#include <iterator>

namespace {

constexpr int PALETTE_SIZE = 256;

const SRgb s_fixedColors[] = {{0, 0, 0},     {255, 255, 255}, {255, 0, 0},     {0, 255, 0},
                              {255, 255, 0}, {0, 0, 255},     {255, 0, 255},   {0, 255, 255},
                              {128, 0, 0},   {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
                              {128, 0, 128}, {0, 128, 128},   {128, 128, 128}, {192, 192, 192}};

} // namespace

std::vector<SRgb> CreateDefaultPalette() {
    std::vector<SRgb> palette(std::begin(s_fixedColors), std::end(s_fixedColors));
    palette.reserve(PALETTE_SIZE);
    for (int blue = 0; blue < 6; ++blue) {
        for (int green = 0; green < 6; ++green) {
            for (int red = 0; red < 6; ++red) {
                palette.push_back({static_cast<std::uint8_t>(red * 51),
                                   static_cast<std::uint8_t>(green * 51),
                                   static_cast<std::uint8_t>(blue * 51)});
            }
        }
    }
    for (int k = 0; k < 24; ++k) {
        const auto level = static_cast<std::uint8_t>(255 * k / 23);
        palette.push_back({level, level, level});
    }
    return palette;
}
