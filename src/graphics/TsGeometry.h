#pragma once

#include <cstdint>
#include <string>

// The arithmetic of the vector diagram: how a pair of register values becomes an angle and a
// magnitude, and where everything is drawn. Boxes follow the Windows drawing convention: they
// cover the pixels from left to right - 1 and from top to bottom - 1, and a line covers its
// start pixel but not its end pixel.

// v + 0.5 for v > 0, v - 0.5 for v < 0, 0 for 0.
double OffsetHalf(std::int32_t value);

// Both take pi as 3.1415926535, as the device's own software does, so angles come out the same.
double RadToDeg(double radians);
double DegToRad(double degrees);

struct STsVector {
    std::int32_t m_angle = 0;     // whole degrees, 0 to 359, counter-clockwise from +x
    std::int32_t m_magnitude = 0; // drawn when at least 1
};

STsVector ComputeTsVector(std::int32_t x, std::int32_t y);

struct STsPoint {
    std::int32_t m_x = 0;
    std::int32_t m_y = 0;
};

struct STsBox {
    std::int32_t m_left = 0;
    std::int32_t m_top = 0;
    std::int32_t m_right = 0;
    std::int32_t m_bottom = 0;
};

// What does not depend on the vectors.
struct STsFrame {
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    STsPoint m_center;
    std::int32_t m_size = 0; // the smaller side, 100 for a view under 2 pixels
    double m_scale = 0.0;    // pixels per magnitude unit; a magnitude of 130 reaches m_size / 2
    STsBox m_circle;         // the reference circle, magnitude 100
    STsPoint m_verticalAxisFrom;
    STsPoint m_verticalAxisTo;
    STsPoint m_horizontalAxisFrom;
    STsPoint m_horizontalAxisTo; // x = m_size, not the width
};

STsFrame ComputeTsFrame(std::int32_t width, std::int32_t height);

struct STsVectorShape {
    STsPoint m_tip;
    STsBox m_dot;
    STsBox m_label;
};

STsVectorShape ComputeTsVectorShape(const STsFrame& frame, const STsVector& vector);

// "K<number>\n<angle>°\n<magnitude>%" in code page 1252 (the degree sign is the byte 0xB0);
// number counts from 1.
std::string FormatTsLabel(int number, const STsVector& vector);
