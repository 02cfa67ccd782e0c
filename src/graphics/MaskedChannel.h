#pragma once

#include <array>
#include <cstdint>

// One colour channel of a 16- or 32-bit pixel, given by its mask. Channels narrower than 8 bits
// are widened by repeating their bits, so that the largest value becomes 255 (5-bit 31 -> 255);
// wider ones keep their top 8 bits.
class CMaskedChannel {
public:
    CMaskedChannel() = default;
    // The mask must be a single run of bits (or 0, a channel that is always 0).
    explicit CMaskedChannel(std::uint32_t mask);

    std::uint8_t Extract(std::uint32_t pixel) const {
        const std::uint32_t value = (pixel & m_mask) >> m_shift;
        return m_bits > 8 ? static_cast<std::uint8_t>(value >> (m_bits - 8)) : m_widened[value];
    }

private:
    std::uint32_t m_mask = 0;
    std::uint32_t m_shift = 0;
    std::uint32_t m_bits = 0;
    // 8-bit level of every value of a channel of up to 8 bits.
    std::array<std::uint8_t, 256> m_widened{};
};
