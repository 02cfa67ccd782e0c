#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The device's line protocol. Host messages end in a single line feed; device lines are read
// by CLineAssembler.

// Asks the device to report every register.
constexpr std::string_view MESSAGE_REPORT_ALL = "A\n";
// Sent by the reader every few passes and on request (register 999, value 2).
constexpr std::string_view MESSAGE_KEEP_ALIVE = "C\n";

// Sum of the bytes modulo 256, as the device checks it.
std::uint8_t WireChecksum(std::string_view text);

// '<letter><register>:<value>;<checksum>' without a line end; the checksum covers everything
// from the letter through ';'. The host uses 'S', the device 'I' (report) and 'B' (acknowledge).
std::string BuildRegisterLine(char letter, std::int32_t registerNumber, std::int32_t value);

// 'S<register>:<value>;<checksum>' and a line feed: 'S12:345;199\n'.
std::string BuildWriteRegisterMessage(std::int32_t registerNumber, std::int32_t value);

// The numbers of a device line as "%d%d%d" reads them: white space skipped, an optional sign,
// decimal digits; reading stops at the first text that is no number. Missing numbers keep
// their fall-backs (register -1, value 0, checksum 0). Values beyond 32 bits saturate.
struct SLineNumbers {
    std::int32_t m_register = -1;
    std::int32_t m_value = 0;
    std::int32_t m_checksum = 0;
    int m_count = 0; // how many numbers were read
};
SLineNumbers ReadLineNumbers(std::string_view text);
