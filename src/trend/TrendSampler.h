#pragma once

#include "TrendSample.h"
#include "config/ParameterListener.h"

#include <deque>
#include <mutex>
#include <vector>

class CConfiguration;
class IClock;

// Listens to the store and time-stamps every applied change, on whatever thread it arrives
// (the reader thread for device reports). It only queues: the lock is held for one append or
// one hand-over of the whole queue, so the reader never waits for a window or a file.
class CTrendSampler final : public IParameterListener {
public:
    // Beyond this many untaken samples the oldest go: a consumer that stalls must not grow
    // the queue without bound (ten minutes of 8 registers at 5 reports a second).
    static constexpr std::size_t MAX_PENDING = 24000;

    CTrendSampler(CConfiguration& configuration, const IClock& clock);
    ~CTrendSampler();
    CTrendSampler(const CTrendSampler&) = delete;
    CTrendSampler& operator=(const CTrendSampler&) = delete;

    void OnParameterChanged(CRegisterValue& value) override;

    // Everything queued since the last call, oldest first, in non-decreasing time.
    std::vector<STrendSample> Take();

private:
    CConfiguration& m_configuration;
    const IClock& m_clock;
    std::mutex m_mutex;
    std::deque<STrendSample> m_pending;
};
