#include "TrendSampler.h"

#include "config/Configuration.h"
#include "config/RegisterValue.h"
#include "platform/Clock.h"

#include <cmath>

CTrendSampler::CTrendSampler(CConfiguration& configuration, const IClock& clock)
    : m_configuration(configuration), m_clock(clock) {
    m_configuration.AddListener(this);
}

CTrendSampler::~CTrendSampler() {
    m_configuration.RemoveListener(this);
}

void CTrendSampler::OnParameterChanged(CRegisterValue& value) {
    STrendSample sample;
    sample.m_register = value.GetRegister();
    // The store has rounded and clamped the value into a 32-bit parameter already.
    sample.m_value = static_cast<std::int32_t>(std::lround(value.GetValue()));
    const std::lock_guard<std::mutex> lock(m_mutex);
    // Stamped under the lock, so that the queue's order is the order of time even when the
    // reader and the user-interface thread update at once.
    sample.m_timeMs = m_clock.NowMilliseconds();
    if (m_pending.size() >= MAX_PENDING) {
        m_pending.pop_front();
    }
    m_pending.push_back(sample);
}

std::vector<STrendSample> CTrendSampler::Take() {
    std::deque<STrendSample> taken;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        taken.swap(m_pending);
    }
    return {taken.begin(), taken.end()};
}
