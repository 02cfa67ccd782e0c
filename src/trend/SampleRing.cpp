#include "SampleRing.h"

#include "TrendSample.h"

#include <algorithm>

CSampleRing::CSampleRing(std::size_t capacity) : m_points(std::max<std::size_t>(capacity, 1)) {}

void CSampleRing::Append(std::int64_t timeMs, std::int32_t value) {
    if (m_size > 0) {
        SPoint& latest = m_points[(m_first + m_size - 1) % m_points.size()];
        timeMs = std::max(timeMs, latest.m_timeMs);
        if (timeMs / TREND_TICK_MS == latest.m_timeMs / TREND_TICK_MS) {
            latest = SPoint{timeMs, value};
            return;
        }
    }
    if (m_size == m_points.size()) {
        m_points[m_first] = SPoint{timeMs, value};
        m_first = (m_first + 1) % m_points.size();
        return;
    }
    m_points[(m_first + m_size) % m_points.size()] = SPoint{timeMs, value};
    ++m_size;
}

void CSampleRing::Clear() {
    m_first = 0;
    m_size = 0;
}

std::size_t CSampleRing::LowerBound(std::int64_t timeMs) const {
    std::size_t low = 0;
    std::size_t high = m_size;
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (At(middle).m_timeMs < timeMs) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return low;
}
