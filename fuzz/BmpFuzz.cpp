// Arbitrary bytes as a bitmap file: decoding must refuse or accept without reading or writing
// outside its buffers, and an accepted picture must survive everything done with it later.
#include "graphics/ButtonImage.h"
#include "graphics/DibImage.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
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
