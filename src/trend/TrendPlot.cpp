#include "TrendPlot.h"

#include <algorithm>

std::vector<SPlotPoint> PlotPoints(const CSampleRing& ring, std::int64_t fromMs, std::int64_t toMs,
                                   std::size_t buckets) {
    std::vector<SPlotPoint> points;
    if (ring.Empty() || toMs <= fromMs) {
        return points;
    }
    buckets = std::max<std::size_t>(buckets, 1);
    std::size_t index = ring.LowerBound(fromMs);
    if (index > 0 && (index == ring.Size() || ring.At(index).m_timeMs > fromMs)) {
        points.push_back(SPlotPoint{fromMs, ring.At(index - 1).m_value});
    }
    const std::int64_t span = toMs - fromMs;
    while (index < ring.Size() && ring.At(index).m_timeMs <= toMs) {
        // The bucket of this point, and the first point past it.
        const auto bucket =
            static_cast<std::int64_t>(static_cast<double>(ring.At(index).m_timeMs - fromMs) *
                                      static_cast<double>(buckets) / static_cast<double>(span));
        const std::int64_t bucketEnd =
            fromMs +
            static_cast<std::int64_t>(static_cast<double>(bucket + 1) * static_cast<double>(span) /
                                      static_cast<double>(buckets));
        std::size_t low = index;
        std::size_t high = index;
        std::size_t end = index + 1;
        for (; end < ring.Size() && ring.At(end).m_timeMs < bucketEnd; ++end) {
            if (ring.At(end).m_value < ring.At(low).m_value) {
                low = end;
            }
            if (ring.At(end).m_value > ring.At(high).m_value) {
                high = end;
            }
        }
        for (const std::size_t at : {std::min(low, high), std::max(low, high)}) {
            if (points.empty() || points.back().m_timeMs != ring.At(at).m_timeMs) {
                points.push_back(SPlotPoint{ring.At(at).m_timeMs, ring.At(at).m_value});
            }
        }
        index = end;
    }
    if (points.empty()) {
        return points;
    }
    if (points.back().m_timeMs < toMs) {
        points.push_back(SPlotPoint{toMs, points.back().m_value});
    }
    return points;
}

double RangePercent(std::int32_t value, std::int32_t minimum, std::int32_t maximum) {
    if (maximum <= minimum) {
        return 50.0;
    }
    return (static_cast<double>(value) - minimum) * 100.0 /
           (static_cast<double>(maximum) - minimum);
}

std::pair<double, double> AutoscaleRange(double low, double high) {
    const double margin = std::max((high - low) * 0.05, high > low ? 0.0 : 1.0);
    return {low - margin, high + margin};
}
