#pragma once

#include <cstddef>
#include <cstdint>

// Decodes the run-length encoded pixel data of a 4-bit (RLE4) or 8-bit (RLE8) bitmap into rows
// as an uncompressed picture stores them: bottom-up, stride bytes each, in out, which the caller
// has zeroed (rows × stride bytes). Runs, absolute runs, end of line, end of picture and delta
// codes are honoured. Pixels that would land past the end of a row are dropped, a code that moves
// past the last row or data that ends early stops decoding; what was not written stays zero.
void DecodeRle(const std::uint8_t* data, std::size_t size, std::uint16_t bitCount,
               std::int32_t width, std::int32_t rows, std::size_t stride, std::uint8_t* out);
