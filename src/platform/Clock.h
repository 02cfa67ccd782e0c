#pragma once

#include <cstdint>

// Wall-clock time: milliseconds since 1970 for trend samples and recorded rows, whole seconds
// as the link-alive rule counts them. Injectable so that both can be tested without sleeping.
class IClock {
public:
    virtual ~IClock() = default;
    virtual std::int64_t NowMilliseconds() const = 0;

    // Unsigned 32-bit seconds, wrapping like the device-side time stamps do.
    std::uint32_t NowSeconds() const {
        return static_cast<std::uint32_t>(NowMilliseconds() / 1000);
    }
};

class CSystemClock final : public IClock {
public:
    std::int64_t NowMilliseconds() const override;
    static const CSystemClock& Instance();
};
