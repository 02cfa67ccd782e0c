#include "RleDecoder.h"

#include <algorithm>

namespace {

// Writes pixels into one row, dropping those past its end.
class CRowWriter {
public:
    CRowWriter(std::uint8_t* row, std::size_t width, bool nibbles)
        : m_row(row), m_width(width), m_nibbles(nibbles) {}

    void Put(std::size_t x, std::uint8_t value) const {
        if (x >= m_width) {
            return;
        }
        if (!m_nibbles) {
            m_row[x] = value;
        } else if (x % 2 == 0) {
            m_row[x / 2] =
                static_cast<std::uint8_t>((m_row[x / 2] & 0x0Fu) | (unsigned{value} << 4u));
        } else {
            m_row[x / 2] = static_cast<std::uint8_t>((m_row[x / 2] & 0xF0u) | (value & 0x0Fu));
        }
    }

private:
    std::uint8_t* m_row;
    std::size_t m_width;
    bool m_nibbles;
};

// The index of pixel i of a run or absolute run: the byte itself for RLE8; for RLE4 the high
// nibble for even i, the low nibble for odd i.
std::uint8_t RunPixel(std::uint8_t byte, std::size_t i, bool nibbles) {
    if (!nibbles) {
        return byte;
    }
    return static_cast<std::uint8_t>(i % 2 == 0 ? byte >> 4 : byte & 0x0Fu);
}

} // namespace

void DecodeRle(const std::uint8_t* data, std::size_t size, std::uint16_t bitCount,
               std::int32_t width, std::int32_t rows, std::size_t stride, std::uint8_t* out) {
    const bool nibbles = bitCount == 4;
    const auto columns = static_cast<std::size_t>(width);
    const auto rowCount = static_cast<std::size_t>(rows);
    std::size_t x = 0;
    std::size_t y = 0;
    std::size_t at = 0;
    while (y < rowCount && at + 1 < size) {
        const std::uint8_t count = data[at];
        const std::uint8_t code = data[at + 1];
        at += 2;
        const CRowWriter row(out + y * stride, columns, nibbles);
        if (count > 0) {
            for (std::size_t i = 0; i < count && x < columns; ++i, ++x) {
                row.Put(x, RunPixel(code, i, nibbles));
            }
            continue;
        }
        switch (code) {
        case 0: // end of line
            x = 0;
            ++y;
            break;
        case 1: // end of picture
            return;
        case 2: // delta: right and up by the next two bytes
            if (at + 1 >= size) {
                return;
            }
            x = std::min(x + data[at], columns);
            y += data[at + 1];
            at += 2;
            break;
        default: { // absolute run of `code` pixels, padded to a whole 16-bit word
            const std::size_t bytes = nibbles ? (code + 1u) / 2u : code;
            const std::size_t available = std::min(bytes, size - at);
            for (std::size_t i = 0; i < code && (nibbles ? i / 2 : i) < available; ++i, ++x) {
                row.Put(x, RunPixel(data[at + (nibbles ? i / 2 : i)], i, nibbles));
            }
            if (available < bytes) {
                return;
            }
            at += bytes + bytes % 2;
            x = std::min(x, columns);
            break;
        }
        }
    }
}
