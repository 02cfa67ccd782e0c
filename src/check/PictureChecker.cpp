#include "PictureChecker.h"

#include "graphics/DibFormat.h"
#include "graphics/DibImage.h"
#include "graphics/PictureFile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <string_view>
#include <sys/stat.h>

namespace {

const std::uint8_t* Bytes(const std::string& text) {
    return reinterpret_cast<const std::uint8_t*>(text.data());
}

struct SSignature {
    std::string_view m_bytes;
    const char* m_kind;
};

// Pictures of other formats that a renamed file may hold.
constexpr SSignature s_signatures[] = {
    {"GIF8", "GIF"}, {"\x89PNG", "PNG"}, {"\xFF\xD8\xFF", "JPEG"}};

SPictureVerdict LoadVerdict(const std::string& path) {
    SPictureVerdict verdict;
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        verdict.m_problem = errno == ENOENT || errno == ENOTDIR
                                ? "does not exist"
                                : std::string("cannot be read: ") + std::strerror(errno);
        return verdict;
    }
    if (!S_ISREG(status.st_mode)) {
        verdict.m_problem = "cannot be read: it is not a file";
        return verdict;
    }
    CDibImage image;
    if (image.Load(path)) {
        verdict.m_loaded = true;
        verdict.m_width = image.GetWidth();
        verdict.m_rows = image.GetRowCount();
        return verdict;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        verdict.m_problem = std::string("cannot be read: ") + std::strerror(errno);
        return verdict;
    }
    // The longest headers and the largest colour table: all a refusal depends on.
    std::string head(BMP_FILE_HEADER_SIZE + BMP_V5_HEADER_SIZE + std::size_t{4} * 256, '\0');
    file.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(file.gcount()));
    verdict.m_problem =
        "is refused: " + DescribeBmpRefusal(head, static_cast<std::uint64_t>(status.st_size));
    return verdict;
}

} // namespace

const SPictureVerdict& CPictureChecker::Check(const std::string& name) {
    const auto known = m_verdicts.find(name);
    if (known != m_verdicts.end()) {
        return known->second;
    }
    const SPictureFile file = FindPictureFile(m_directory, name);
    SPictureVerdict verdict = LoadVerdict(file.m_path);
    if (file.m_match == EPictureMatch::Near) {
        verdict.m_nearMatch = "is found only by ignoring letter case, as '" + file.m_taken + "'";
    } else if (file.m_match == EPictureMatch::Ambiguous) {
        std::string names;
        for (const std::string& candidate : file.m_candidates) {
            names += (names.empty() ? "'" : ", '") + candidate + "'";
        }
        verdict.m_nearMatch =
            "matches " + names + " ignoring letter case; the panel takes '" + file.m_taken + "'";
    }
    return m_verdicts.emplace(name, std::move(verdict)).first->second;
}

// Names a rule of the decoder that the file breaks. Whether a picture is refused is decided by
// the decoder itself; this only explains it.
std::string DescribeBmpRefusal(const std::string& head, std::uint64_t fileSize) {
    if (head.size() < 2 || head[0] != 'B' || head[1] != 'M') {
        for (const SSignature& signature : s_signatures) {
            if (head.compare(0, signature.m_bytes.size(), signature.m_bytes) == 0) {
                return std::string("it is a ") + signature.m_kind + " picture, not a bitmap file";
            }
        }
        return "it is not a bitmap file (it does not start with \"BM\")";
    }
    if (head.size() < BMP_FILE_HEADER_SIZE + 4) {
        return "it is too short for a bitmap file";
    }
    const std::uint32_t headerSize = ReadU32(Bytes(head) + BMP_FILE_HEADER_SIZE);
    if (!IsReadableInfoHeaderSize(headerSize)) {
        return "its info header has " + std::to_string(headerSize) +
               " bytes; only 12-, 40-, 108- and 124-byte headers are read";
    }
    if (head.size() < BMP_FILE_HEADER_SIZE + headerSize) {
        return "it is too short for a bitmap file";
    }
    const SBitmapInfoHeader header = ReadAnyInfoHeader(Bytes(head) + BMP_FILE_HEADER_SIZE);
    const std::string bits = std::to_string(header.m_bitCount);
    switch (header.m_compression) {
    case COMPRESSION_RGB:
        break;
    case COMPRESSION_BITFIELDS:
        if (header.m_bitCount != 16 && header.m_bitCount != 32) {
            return "it has channel masks at " + bits +
                   " bits per pixel; only 16 and 32 bits may have them";
        }
        break;
    case COMPRESSION_RLE8:
    case COMPRESSION_RLE4: {
        const bool rle8 = header.m_compression == COMPRESSION_RLE8;
        if (header.m_bitCount != (rle8 ? 8 : 4)) {
            return std::string("it is run-length encoded as ") + (rle8 ? "RLE8" : "RLE4") + " at " +
                   bits + " bits per pixel; that takes " + (rle8 ? "8" : "4");
        }
        if (header.m_height < 0) {
            return "it is run-length encoded and stored top-down, which bitmap files do not allow";
        }
        break;
    }
    case 4:
        return "it holds a JPEG picture; only bitmap pixels are read";
    case 5:
        return "it holds a PNG picture; only bitmap pixels are read";
    default:
        return "it is compressed (method " + std::to_string(header.m_compression) +
               "); only uncompressed, run-length (RLE4, RLE8) and bit-field pictures are read";
    }
    const int bitCount = header.m_bitCount;
    if (bitCount != 1 && bitCount != 2 && bitCount != 4 && bitCount != 8 && bitCount != 16 &&
        bitCount != 24 && bitCount != 32) {
        return "it has " + bits + " bits per pixel";
    }
    if (header.m_planes != 1) {
        return "it has " + std::to_string(header.m_planes) + " colour planes instead of 1";
    }
    const std::uint64_t totalSize = ReadU32(Bytes(head) + 2);
    const std::uint64_t pixelOffset = ReadU32(Bytes(head) + 10);
    const SHeaderSpans spans = HeaderSpans(header, static_cast<std::size_t>(pixelOffset));
    if (head.size() < spans.m_tableEnd) {
        return "it ends inside its colour table or channel masks";
    }
    if (spans.m_masksAt != 0 &&
        !AreValidPixelMasks(ReadPixelMasks(Bytes(head) + spans.m_masksAt), header.m_bitCount)) {
        return "its channel masks overlap or are not runs of bits";
    }
    const std::int64_t rows =
        header.m_height < 0 ? -std::int64_t{header.m_height} : header.m_height;
    if (header.m_width < 1 || header.m_width > CDibImage::MAX_DIMENSION || rows < 1 ||
        rows > CDibImage::MAX_DIMENSION) {
        return "it is " + std::to_string(header.m_width) + " x " + std::to_string(rows) +
               " pixels; each side must be 1 to " + std::to_string(CDibImage::MAX_DIMENSION);
    }
    if (static_cast<std::uint64_t>(RowStride(header.m_width, header.m_bitCount)) *
            static_cast<std::uint64_t>(rows) >
        CDibImage::MAX_PIXEL_BYTES) {
        return "its pixel rows take more than 64 MiB";
    }
    if (totalSize > fileSize) {
        return "its header claims " + std::to_string(totalSize) + " bytes, but the file has " +
               std::to_string(fileSize);
    }
    if (pixelOffset < spans.m_headersEnd || pixelOffset >= totalSize) {
        return "its pixel data offset " + std::to_string(pixelOffset) +
               " lies outside the pixel data";
    }
    return "the picture decoder cannot make a picture of it";
}
