// Arbitrary bytes as a bitmap file: decoding must refuse or accept without reading or writing
// outside its buffers, and an accepted picture must survive everything done with it later.
#include "graphics/ButtonImage.h"
#include "graphics/DibFormat.h"
#include "graphics/DibImage.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

// Short pixel data makes a zeroed picture of the declared size, up to 64 MiB for a file of a few
// hundred bytes, and every pixel is then decoded three times. Inputs declaring more than 65536
// pixels (256 x 256) are skipped so that the time goes into exploring the formats: with a cap of
// four megapixels the fuzzer managed an eighth of the runs per CPU second. Rows of more than
// 16384 pixels still pass, so the reader's size limits stay within reach.
constexpr std::int64_t MAX_FUZZ_PIXELS = std::int64_t{1} << 16;

bool DeclaresHugePicture(const std::uint8_t* data, std::size_t size) {
    if (size < BMP_FILE_HEADER_SIZE + 16 || !IsReadableInfoHeaderSize(ReadU32(data + 14)) ||
        size < BMP_FILE_HEADER_SIZE + ReadU32(data + 14)) {
        return false;
    }
    const SBitmapInfoHeader header = ReadAnyInfoHeader(data + BMP_FILE_HEADER_SIZE);
    return std::int64_t{header.m_width} * std::abs(std::int64_t{header.m_height}) > MAX_FUZZ_PIXELS;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (DeclaresHugePicture(data, size)) {
        return 0;
    }
    CDibImage image;
    if (!image.LoadFromMemory(data, size)) {
        return 0;
    }
    std::vector<std::uint32_t> row(static_cast<std::size_t>(image.GetWidth()));
    std::vector<std::uint8_t> indexes(row.size());
    for (std::int32_t y = 0; y < image.GetRowCount(); ++y) {
        image.DecodeRow(y, row.data());
        image.DecodeIndexRow(y, indexes.data());
    }
    const std::int32_t right = image.GetWidth() - 1;
    const std::int32_t bottom = image.GetRowCount() - 1;
    image.GetPixel(right, 0);
    ReplaceKeyColor(image, CButtonImage::NORMAL_FACE);
    image.GetPixel(right, bottom);
    image.DecodeRow(bottom, row.data());
    return 0;
}
