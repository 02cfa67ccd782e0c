#pragma once

#include <cstdint>

// Wall-clock time in milliseconds since 1970, the time base of trend samples and recorded rows.
// Injectable so that sampling and recording are tested without sleeping.
class ISampleClock {
public:
    virtual ~ISampleClock() = default;
    virtual std::int64_t NowMilliseconds() const = 0;
};

class CSystemSampleClock final : public ISampleClock {
public:
    std::int64_t NowMilliseconds() const override;
    static const CSystemSampleClock& Instance();
};
