#pragma once

#include "platform/Clock.h"

#include <atomic>

// A clock that stands still until a test moves it, in whole seconds.
class CFakeClock final : public IClock {
public:
    explicit CFakeClock(std::uint32_t seconds = 1000) : m_seconds(seconds) {}
    std::int64_t NowMilliseconds() const override { return std::int64_t{m_seconds.load()} * 1000; }
    void Set(std::uint32_t seconds) { m_seconds.store(seconds); }
    void Advance(std::uint32_t seconds) { m_seconds.fetch_add(seconds); }

private:
    std::atomic<std::uint32_t> m_seconds;
};
