#pragma once

#include "BmpWriter.h"

#include <functional>
#include <string>
#include <vector>

// One small picture of every accepted format, with the colour each pixel must show, computed
// independently of the reader.
struct SBmpCase {
    std::string m_name;
    SBmpSpec m_spec;
    std::function<SRgb(int x, int y)> m_expected;
};

std::vector<SBmpCase> AllFormatCases();

// Bit replication of an n-bit channel value to 8 bits, written out per width.
std::uint8_t Widen5(std::uint32_t value);
std::uint8_t Widen6(std::uint32_t value);
