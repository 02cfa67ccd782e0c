#include "Clock.h"

#include <ctime>

std::uint32_t CSystemClock::NowSeconds() const {
    // Unsigned 32-bit seconds, wrapping like the device-side time stamps do.
    return static_cast<std::uint32_t>(std::time(nullptr));
}

const CSystemClock& CSystemClock::Instance() {
    static const CSystemClock s_clock;
    return s_clock;
}
