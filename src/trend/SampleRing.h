#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The history of one register: a fixed ring of (time, value) points, oldest dropped first. At
// most one point is kept per 200 ms tick (the last value of the tick), so that the ring holds
// its full span however fast the device reports: 18,000 points are 60 minutes.
class CSampleRing {
public:
    static constexpr std::size_t SIXTY_MINUTES = 60 * 60 * 5;

    struct SPoint {
        std::int64_t m_timeMs = 0;
        std::int32_t m_value = 0;
    };

    explicit CSampleRing(std::size_t capacity = SIXTY_MINUTES);

    // A time before the newest point's (another thread's stamp, the wall clock set back) is
    // taken as the newest point's time, so that the ring stays in time order.
    void Append(std::int64_t timeMs, std::int32_t value);
    void Clear();

    std::size_t Size() const { return m_size; }
    std::size_t Capacity() const { return m_points.size(); }
    bool Empty() const { return m_size == 0; }
    // 0 is the oldest point.
    const SPoint& At(std::size_t index) const {
        return m_points[(m_first + index) % m_points.size()];
    }
    const SPoint& Latest() const { return At(m_size - 1); }
    // The first point at or after the time; Size() when there is none.
    std::size_t LowerBound(std::int64_t timeMs) const;

private:
    std::vector<SPoint> m_points;
    std::size_t m_first = 0;
    std::size_t m_size = 0;
};
