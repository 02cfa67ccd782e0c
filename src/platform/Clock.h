#pragma once

#include <cstdint>

// Wall-clock time in whole seconds, as the link-alive rule counts it. Injectable so that the
// rule can be tested without sleeping.
class IClock {
public:
    virtual ~IClock() = default;
    virtual std::uint32_t NowSeconds() const = 0;
};

class CSystemClock final : public IClock {
public:
    std::uint32_t NowSeconds() const override;
    static const CSystemClock& Instance();
};
