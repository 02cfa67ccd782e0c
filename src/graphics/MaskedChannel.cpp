#include "MaskedChannel.h"

CMaskedChannel::CMaskedChannel(std::uint32_t mask) : m_mask(mask) {
    if (mask == 0) {
        return;
    }
    while (((mask >> m_shift) & 1u) == 0) {
        ++m_shift;
    }
    while (m_shift + m_bits < 32 && ((mask >> (m_shift + m_bits)) & 1u) != 0) {
        ++m_bits;
    }
    if (m_bits > 8) {
        return;
    }
    const std::uint32_t count = 1u << m_bits;
    for (std::uint32_t value = 0; value < count; ++value) {
        // Repeat the value's bits from the top down until 8 bits are filled.
        std::uint32_t level = 0;
        std::uint32_t filled = 0;
        while (filled < 8) {
            level = (level << m_bits) | value;
            filled += m_bits;
        }
        m_widened[value] = static_cast<std::uint8_t>(level >> (filled - 8));
    }
}
