#pragma once

#include "SampleRing.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// What the trend chart draws of a register's history, as plain numbers.

struct SPlotPoint {
    std::int64_t m_timeMs = 0;
    std::int32_t m_value = 0;
};

// The points of the span from..to (a time axis `buckets` pixels wide): the last point before
// the span, so that the line enters at the left edge; per bucket at most its lowest and highest
// point, in time order, so that a peak stays visible however long the span; and the latest
// value held on to the span's end, since a value that does not change is not reported again.
std::vector<SPlotPoint> PlotPoints(const CSampleRing& ring, std::int64_t fromMs, std::int64_t toMs,
                                   std::size_t buckets);

// A value as a percentage of its parameter's Minimum..Maximum; a range without width puts
// every value in the middle.
double RangePercent(std::int32_t value, std::int32_t minimum, std::int32_t maximum);

// The one autoscaled axis for values between low and high: a margin of 5 % on either side,
// and at least one unit each way for a flat line.
std::pair<double, double> AutoscaleRange(double low, double high);
