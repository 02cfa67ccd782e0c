// Arbitrary device bytes into the line assembler. Besides the sanitizers' checks: the partial
// line never outgrows its buffer, and the number reading agrees with the C library's "%d%d%d"
// wherever that is defined (no number longer than 9 digits).
#include "link/LineAssembler.h"
#include "link/WireProtocol.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool AllNumbersShort(const std::string& text) {
    std::size_t run = 0;
    for (const char c : text) {
        run = c >= '0' && c <= '9' ? run + 1 : 0;
        if (run > 9) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CLineAssembler assembler;
    for (std::size_t i = 0; i < size; ++i) {
        assembler.Feed(static_cast<char>(data[i]));
        if (assembler.PartialLine().size() > CLineAssembler::MAX_LINE) {
            std::abort();
        }
    }
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (!AllNumbersShort(text)) {
        return 0;
    }
    int numbers[3] = {-1, 0, 0};
    const int count =
        std::max(0, std::sscanf(text.c_str(), "%d%d%d", &numbers[0], &numbers[1], &numbers[2]));
    const SLineNumbers ours = ReadLineNumbers(text);
    if (ours.m_count != count || ours.m_register != numbers[0] ||
        (count >= 2 && ours.m_value != numbers[1]) ||
        (count >= 3 && ours.m_checksum != numbers[2])) {
        std::abort();
    }
    return 0;
}
