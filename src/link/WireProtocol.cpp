#include "WireProtocol.h"
#include "platform/DecimalInt.h"

#include <array>

namespace {

void AppendDecimal(std::string& out, std::int64_t number) {
    std::array<char, 24> digits{};
    std::size_t count = 0;
    const bool negative = number < 0;
    std::uint64_t magnitude =
        negative ? 0u - static_cast<std::uint64_t>(number) : static_cast<std::uint64_t>(number);
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10u);
        magnitude /= 10u;
    } while (magnitude != 0u);
    if (negative) {
        out += '-';
    }
    while (count > 0) {
        out += digits[--count];
    }
}

} // namespace

std::uint8_t WireChecksum(std::string_view text) {
    unsigned sum = 0;
    for (const char c : text) {
        sum += static_cast<unsigned char>(c);
    }
    return static_cast<std::uint8_t>(sum & 0xFFu);
}

std::string BuildRegisterLine(char letter, std::int32_t registerNumber, std::int32_t value) {
    std::string line(1, letter);
    AppendDecimal(line, registerNumber);
    line += ':';
    AppendDecimal(line, value);
    line += ';';
    AppendDecimal(line, WireChecksum(line));
    return line;
}

std::string BuildWriteRegisterMessage(std::int32_t registerNumber, std::int32_t value) {
    return BuildRegisterLine('S', registerNumber, value) + '\n';
}

SLineNumbers ReadLineNumbers(std::string_view text) {
    SLineNumbers numbers;
    std::size_t position = 0;
    std::int32_t* const fields[] = {&numbers.m_register, &numbers.m_value, &numbers.m_checksum};
    for (std::int32_t* field : fields) {
        if (!ReadDecimalInt(text, position, *field)) {
            break;
        }
        ++numbers.m_count;
    }
    return numbers;
}
