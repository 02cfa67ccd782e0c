#include "Clock.h"

#include <chrono>

std::int64_t CSystemClock::NowMilliseconds() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

const CSystemClock& CSystemClock::Instance() {
    static const CSystemClock s_clock;
    return s_clock;
}
