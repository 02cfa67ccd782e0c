// Loading the same pictures with our reader (decoding plus the conversion Qt draws from) and
// with QImage's own BMP reader. Ours should be at most as slow as Qt's.
#include "BmpWriter.h"
#include "TempDir.h"
#include "graphics/DibImage.h"
#include "graphics/DibImageQt.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QString>

#include <cstdlib>
#include <string>

namespace {

// How the file stores the picture: the common 40-byte header, the header of today's tools, the
// OS/2 core header, or run-length encoded.
enum class EStorage { Common, Header124, Core12, Rle8 };

struct SPicture {
    const char* m_name;
    std::int32_t m_width;
    std::int32_t m_height;
    std::uint16_t m_bitCount;
    EStorage m_storage = EStorage::Common;
};

const SPicture s_pictures[] = {
    {"640x480x4.bmp", 640, 480, 4},
    {"640x480x8.bmp", 640, 480, 8},
    {"640x480x24.bmp", 640, 480, 24},
    {"640x480x32.bmp", 640, 480, 32},
    {"240x320x24.bmp", 240, 320, 24},
    {"1920x1080x24.bmp", 1920, 1080, 24},
    {"640x480x24-v5.bmp", 640, 480, 24, EStorage::Header124},
    {"640x480x8-os2.bmp", 640, 480, 8, EStorage::Core12},
    {"640x480x8-rle8.bmp", 640, 480, 8, EStorage::Rle8},
};

// RLE8 as a drawing program writes it: each row (bottom first) as runs of equal pixels, then an
// end of line; an end of picture at the end.
std::string EncodeRle8(const SBmpLayout& layout) {
    std::string encoded;
    for (int y = layout.m_height - 1; y >= 0; --y) {
        for (int x = 0; x < layout.m_width;) {
            const std::uint32_t value = layout.m_pixel(x, y) & 0xFFu;
            int run = 1;
            while (x + run < layout.m_width && run < 255 &&
                   (layout.m_pixel(x + run, y) & 0xFFu) == value) {
                ++run;
            }
            encoded += static_cast<char>(run);
            encoded += static_cast<char>(value);
            x += run;
        }
        encoded += std::string("\0\0", 2);
    }
    return encoded + std::string("\0\1", 2);
}

// Busy content, so that neither reader gets an easy ride; run-length pictures get the shapes
// such pictures hold (runs of 1 to 24 pixels).
std::string MakePicture(const SPicture& picture) {
    SBmpLayout layout;
    layout.m_width = picture.m_width;
    layout.m_height = picture.m_height;
    layout.m_bitCount = picture.m_bitCount;
    for (int i = 0; i < ColorCount(picture.m_bitCount); ++i) {
        layout.m_colorTable.push_back({static_cast<std::uint8_t>(i * 7),
                                       static_cast<std::uint8_t>(i),
                                       static_cast<std::uint8_t>(255 - i)});
    }
    layout.m_pixel = [](int x, int y) {
        const auto ux = static_cast<std::uint32_t>(x);
        const auto uy = static_cast<std::uint32_t>(y);
        return (ux * 2654435761u) ^ (uy * 40503u) ^ (ux * uy);
    };
    switch (picture.m_storage) {
    case EStorage::Common:
        break;
    case EStorage::Header124:
        return MakeBmpWithHeader(layout, BMP_V5_HEADER_SIZE);
    case EStorage::Core12:
        return MakeBmpWithHeader(layout, BMP_CORE_HEADER_SIZE);
    case EStorage::Rle8:
        layout.m_pixel = [](int x, int y) {
            return static_cast<std::uint32_t>((x / (1 + y % 24) + y / 16) % 256);
        };
        return MakeRleBmp(layout, EncodeRle8(layout));
    }
    return MakeBmp(layout);
}

const CTempDir& Pictures() {
    static const CTempDir s_dir;
    static const bool s_written = [] {
        for (const SPicture& picture : s_pictures) {
            s_dir.Write(picture.m_name, MakePicture(picture));
        }
        return true;
    }();
    (void)s_written;
    return s_dir;
}

void BM_OurReader(benchmark::State& state) {
    const std::string path = Pictures().Path() + s_pictures[state.range(0)].m_name;
    state.SetLabel(s_pictures[state.range(0)].m_name);
    for (auto _ : state) {
        CDibImage image;
        if (!image.Load(path)) {
            state.SkipWithError("not loaded");
            return;
        }
        QImage converted = ToQImage(image);
        benchmark::DoNotOptimize(converted.constBits());
    }
}

void BM_QtReader(benchmark::State& state) {
    const QString path =
        QString::fromStdString(Pictures().Path() + s_pictures[state.range(0)].m_name);
    state.SetLabel(s_pictures[state.range(0)].m_name);
    for (auto _ : state) {
        QImage image(path, "BMP");
        if (image.isNull()) {
            state.SkipWithError("not loaded");
            return;
        }
        benchmark::DoNotOptimize(image.constBits());
    }
}

void EveryPicture(benchmark::internal::Benchmark* benchmark) {
    for (std::size_t i = 0; i < std::size(s_pictures); ++i) {
        benchmark->Arg(static_cast<std::int64_t>(i));
    }
}

} // namespace

BENCHMARK(BM_OurReader)->Apply(EveryPicture);
BENCHMARK(BM_QtReader)->Apply(EveryPicture);

BENCHMARK_MAIN();
