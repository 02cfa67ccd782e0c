#pragma once

#include <cstdint>
#include <string>

// A bitmap file of one colour, 24 bits, stored bottom-up.
inline std::string SolidBmp(int width, int height, std::uint8_t red, std::uint8_t green,
                            std::uint8_t blue) {
    const auto stride = static_cast<std::uint32_t>((width * 3 + 3) & ~3);
    const std::uint32_t pixelBytes = stride * static_cast<std::uint32_t>(height);
    std::string bmp = "BM";
    const auto put = [&bmp](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            bmp += static_cast<char>((value >> (8 * i)) & 0xFFu);
        }
    };
    put(54 + pixelBytes, 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(static_cast<std::uint32_t>(width), 4);
    put(static_cast<std::uint32_t>(height), 4);
    put(1, 2);
    put(24, 2);
    put(0, 4);
    put(pixelBytes, 4);
    for (int i = 0; i < 4; ++i) {
        put(0, 4);
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bmp += static_cast<char>(blue);
            bmp += static_cast<char>(green);
            bmp += static_cast<char>(red);
        }
        bmp += std::string(stride - static_cast<std::uint32_t>(width) * 3, '\0');
    }
    return bmp;
}
