#include "TsGeometry.h"

#include "config/Rounding.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr double APPROXIMATE_PI = 3.1415926535;

} // namespace

double OffsetHalf(std::int32_t value) {
    if (value > 0) {
        return value + 0.5;
    }
    if (value < 0) {
        return value - 0.5;
    }
    return 0.0;
}

double RadToDeg(double radians) {
    return radians * (180.0 / APPROXIMATE_PI);
}

double DegToRad(double degrees) {
    return degrees * (APPROXIMATE_PI / 180.0);
}

STsVector ComputeTsVector(std::int32_t x, std::int32_t y) {
    const double dx = OffsetHalf(x);
    const double dy = OffsetHalf(y);
    STsVector vector;
    vector.m_angle = RoundToInt(RadToDeg(std::atan2(dy, dx)) + 360.0) % 360;
    // Register values span the whole 32-bit range, so the length may exceed it: saturate.
    vector.m_magnitude = SaturatingTruncate(std::sqrt(dx * dx + dy * dy) + 0.2);
    return vector;
}

STsFrame ComputeTsFrame(std::int32_t width, std::int32_t height) {
    STsFrame frame;
    frame.m_width = width;
    frame.m_height = height;
    frame.m_center = {width / 2, height / 2};
    frame.m_size = width < height ? width : height;
    if (frame.m_size < 2) {
        frame.m_size = 100;
    }
    // The half side is an integer division on purpose: odd sides scale like the next smaller.
    frame.m_scale = static_cast<double>(frame.m_size / 2) / 130.0;
    const std::int32_t t100 = SaturatingTruncate(100 * frame.m_scale);
    const std::int32_t t200 = SaturatingTruncate(200 * frame.m_scale);
    const STsPoint& c = frame.m_center;
    frame.m_circle = {c.m_x - t100, c.m_y - t100, c.m_x + (t200 - t100), c.m_y + (t200 - t100)};
    frame.m_verticalAxisFrom = {c.m_x, 0};
    frame.m_verticalAxisTo = {c.m_x, height};
    frame.m_horizontalAxisFrom = {0, c.m_y};
    frame.m_horizontalAxisTo = {frame.m_size, c.m_y};
    return frame;
}

STsVectorShape ComputeTsVectorShape(const STsFrame& frame, const STsVector& vector) {
    const double angle = DegToRad(vector.m_angle);
    const double ex = (vector.m_magnitude * std::cos(angle)) * frame.m_scale;
    const double ey = (vector.m_magnitude * std::sin(angle)) * frame.m_scale;
    const double cx = frame.m_center.m_x;
    const double cy = frame.m_center.m_y;
    STsVectorShape shape;
    shape.m_tip = {SaturatingTruncate(ex + cx + 0.5), SaturatingTruncate(cy - ey + 0.5)};
    shape.m_dot = {SaturatingTruncate(ex + cx - 5), SaturatingTruncate(cy - ey - 5),
                   SaturatingTruncate(ex + cx + 5), SaturatingTruncate(cy - ey + 5)};
    const std::int32_t left = SaturatingTruncate(ex + cx);
    const std::int32_t top =
        SaturatingTruncate(static_cast<double>(SaturatingTruncate(cy - ey)) - 20);
    shape.m_label = {left, top, SaturatingTruncate(left + 100.0), SaturatingTruncate(top + 60.0)};
    return shape;
}

std::string FormatTsLabel(int number, const STsVector& vector) {
    char text[64];
    std::snprintf(text, sizeof text, "K%d\n%d\xB0\n%d%%", number, vector.m_angle,
                  vector.m_magnitude);
    return text;
}
