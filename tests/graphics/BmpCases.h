#pragma once

#include "BmpWriter.h"
#include "graphics/DibImage.h"

#include <functional>
#include <string>
#include <vector>

// One small picture of every accepted format, with the colour each pixel must show, computed
// independently of the reader.
struct SBmpCase {
    std::string m_name;
    SBmpLayout m_layout;
    std::function<SRgb(int x, int y)> m_expected;
};

std::vector<SBmpCase> AllFormatCases();

// A file in a layout of today's tools (longer or OS/2 headers, run-length encoding), made byte
// for byte, and the same picture stored uncompressed with a 40-byte header.
struct SBmpPairCase {
    std::string m_name;
    std::string m_bytes;
    std::string m_reference;
};

std::vector<SBmpPairCase> ToolFormatCases();

inline bool LoadBytes(CDibImage& image, const std::string& bytes) {
    return image.LoadFromMemory(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}
