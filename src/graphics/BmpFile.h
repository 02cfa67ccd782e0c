#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// The bytes of a bitmap file that matter for decoding it.
struct SBmpFileBytes {
    std::unique_ptr<std::uint8_t[]> m_data;
    std::size_t m_size = 0;
};

// Reads a bitmap file (UTF-8 path) up to its total-size field, or up to the end of its headers
// and colour table when that field is smaller, never more than maxBytes and never past the end
// of the file. Trailing bytes beyond the total size are not read. False when the file cannot be
// opened, is shorter than a file header, or claims more than maxBytes.
bool ReadBmpFile(const std::string& path, std::size_t maxBytes, SBmpFileBytes& bytes);
