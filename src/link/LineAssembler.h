#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

enum class EDeviceLineKind { Report, Acknowledge };

// What one complete device line means: a register report ('I') or an acknowledgement ('B').
struct SDeviceLine {
    EDeviceLineKind m_kind = EDeviceLineKind::Report;
    std::int32_t m_register = -1;
    std::int32_t m_value = 0;
};

// Collects the device's bytes into lines. A line may arrive in pieces over several reads, so
// the partial line is kept between calls. CR and LF both end a line; ':' and ';' are stored as
// blanks so that the numbers read as plain "%d%d%d"; lines shorter than 4 characters and lines
// of any other kind are ignored. A line that grows past 100 characters is thrown away together
// with the byte that overflowed it, and what follows collects as a new line.
class CLineAssembler {
public:
    static constexpr std::size_t MAX_LINE = 100;
    static constexpr std::size_t MIN_LINE = 4;

    // Takes one byte; returns the meaning of the line it completed, if any.
    std::optional<SDeviceLine> Feed(char byte);

    std::string_view PartialLine() const { return {m_line.data(), m_length}; }
    // Forgets a partial line (the port it came from is gone).
    void Clear() { m_length = 0; }

private:
    std::optional<SDeviceLine> Complete() const;

    std::array<char, MAX_LINE> m_line{};
    std::size_t m_length = 0;
};
