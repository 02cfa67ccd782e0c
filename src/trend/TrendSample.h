#pragma once

#include <cstdint>

// One value of one register at the time its change passed the store.
struct STrendSample {
    std::int64_t m_timeMs = 0;
    std::int32_t m_register = 0;
    std::int32_t m_value = 0;
};

// The time base shared by the trend and the recorder: the panel's refresh period.
constexpr std::int64_t TREND_TICK_MS = 200;
