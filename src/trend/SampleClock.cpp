#include "SampleClock.h"

#include <chrono>

std::int64_t CSystemSampleClock::NowMilliseconds() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

const CSystemSampleClock& CSystemSampleClock::Instance() {
    static const CSystemSampleClock s_clock;
    return s_clock;
}
