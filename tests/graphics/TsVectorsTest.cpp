#include "graphics/TsVectors.h"
#include "TsRegisters.h"
#include "graphics/TsGeometry.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <utility>

namespace {

constexpr std::int32_t INT32_LOWEST = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t INT32_HIGHEST = std::numeric_limits<std::int32_t>::max();

std::array<std::int32_t, 4> Corners(const STsBox& box) {
    return {box.m_left, box.m_top, box.m_right, box.m_bottom};
}

std::pair<std::int32_t, std::int32_t> Xy(const STsPoint& point) {
    return {point.m_x, point.m_y};
}

using Box = std::array<std::int32_t, 4>;
using Point = std::pair<std::int32_t, std::int32_t>;
using Vectors = std::array<Point, 4>; // angle and magnitude of K1 to K4

} // namespace

TEST(TsGeometry, AngleConversionsUseTheShortPi) {
    EXPECT_DOUBLE_EQ(RadToDeg(3.1415926535), 180.0);
    EXPECT_DOUBLE_EQ(DegToRad(180.0), 3.1415926535);
    // The true pi gives a little more than 180 degrees.
    EXPECT_GT(RadToDeg(3.14159265358979323846) - 180.0, 1e-9);
}

TEST(TsGeometry, AngleAndMagnitudeOfRegisterPairs) {
    const struct {
        std::int32_t m_x, m_y, m_angle, m_magnitude;
    } cases[] = {
        // clang-format off
        // Values move half a unit away from zero first: (1, 1) counts as (1.5, 1.5).
        {0, 0, 0, 0}, {10, 0, 0, 10}, {0, 100, 90, 100}, {-100, 0, 180, 100}, {0, -1, 270, 1},
        {1, 1, 45, 2}, {3, 4, 52, 5}, {50, -50, 315, 71}, {127, 127, 45, 180}, {-1, -1, 225, 2},
        {1, 0, 0, 1}, {-127, 1, 179, 127},
        // Lengths beyond the 32-bit range saturate.
        {INT32_HIGHEST, -INT32_HIGHEST, 315, INT32_HIGHEST}, {INT32_LOWEST, 0, 180, INT32_HIGHEST},
        // clang-format on
    };
    for (const auto& c : cases) {
        const STsVector vector = ComputeTsVector(c.m_x, c.m_y);
        EXPECT_EQ(vector.m_angle, c.m_angle) << c.m_x << "," << c.m_y;
        EXPECT_EQ(vector.m_magnitude, c.m_magnitude) << c.m_x << "," << c.m_y;
    }
}

// The horizontal axis ends at the smaller side, not at the width; a view under 2 pixels either
// way is scaled as if its smaller side were 100.
TEST(TsGeometry, FramesOfSquareWideAndTinyViews) {
    const struct {
        std::int32_t m_width, m_height;
        Box m_circle;
        Point m_center, m_horizontalTo;
    } cases[] = {
        {200, 200, {24, 24, 177, 177}, {100, 100}, {200, 100}},
        {240, 180, {51, 21, 189, 159}, {120, 90}, {180, 90}},
        {1, 50, {-38, -13, 38, 63}, {0, 25}, {100, 25}},
        {50, 0, {-13, -38, 63, 38}, {25, 0}, {100, 0}},
        {2, 50, {1, 25, 2, 26}, {1, 25}, {2, 25}},
    };
    for (const auto& c : cases) {
        const STsFrame frame = ComputeTsFrame(c.m_width, c.m_height);
        SCOPED_TRACE(testing::Message() << c.m_width << "x" << c.m_height);
        EXPECT_EQ(Corners(frame.m_circle), c.m_circle);
        EXPECT_EQ(Xy(frame.m_center), c.m_center);
        EXPECT_EQ(Xy(frame.m_verticalAxisFrom), (Point{c.m_center.first, 0}));
        EXPECT_EQ(Xy(frame.m_verticalAxisTo), (Point{c.m_center.first, c.m_height}));
        EXPECT_EQ(Xy(frame.m_horizontalAxisFrom), (Point{0, c.m_center.second}));
        EXPECT_EQ(Xy(frame.m_horizontalAxisTo), c.m_horizontalTo);
    }
}

// The tip at angle 0 is checked pixel by pixel in the view's tests.
TEST(TsGeometry, VectorShapesInASquareView) {
    const STsFrame frame = ComputeTsFrame(200, 200);
    EXPECT_EQ(Corners(ComputeTsVectorShape(frame, {0, 100}).m_label), (Box{176, 80, 276, 140}));
    EXPECT_EQ(Xy(ComputeTsVectorShape(frame, {180, 100}).m_tip), (Point{23, 100}));
    const STsVectorShape up = ComputeTsVectorShape(frame, {90, 100});
    EXPECT_EQ(Xy(up.m_tip), (Point{100, 23}));
    EXPECT_EQ(Corners(up.m_dot), (Box{95, 18, 105, 28}));
    EXPECT_EQ(Corners(up.m_label), (Box{100, 3, 200, 63}));
    // Magnitude 130 reaches the edge of the view.
    EXPECT_EQ(Xy(ComputeTsVectorShape(ComputeTsFrame(260, 260), {0, 130}).m_tip),
              (Point{260, 130}));
}

TEST(TsGeometry, LabelCarriesTheDegreeSignOfCodePage1252) {
    EXPECT_EQ(FormatTsLabel(3, {52, 5}), "K3\n52\xB0\n5%");
}

namespace {

class TsVectorsTest : public ::testing::Test, public CTsRegisters {
protected:
    Vectors All() const {
        Vectors all;
        for (int k = 0; k < 4; ++k) {
            all[static_cast<std::size_t>(k)] = {m_vectors.GetVector(k).m_angle,
                                                m_vectors.GetVector(k).m_magnitude};
        }
        return all;
    }

    CTsVectors m_vectors;
};

} // namespace

TEST_F(TsVectorsTest, RefreshRecomputesTheVectorsOfChangedDeclaredRegisters) {
    // Register 26 is 5 at the first refresh; the others at 0 leave their slots as they are.
    Set(26, 5);
    EXPECT_TRUE(m_vectors.Refresh());
    EXPECT_EQ(All(), (Vectors{Point{0, 0}, {0, 0}, {0, 0}, {0, 5}}));
    EXPECT_FALSE(m_vectors.Refresh());

    Set(20, 10);
    EXPECT_TRUE(m_vectors.Refresh());
    EXPECT_EQ(All()[0], (Point{0, 10}));
    EXPECT_FALSE(m_vectors.Refresh());

    // Both components in one refresh: the vector ends up with both new values.
    Set(20, 50);
    Set(21, -50);
    EXPECT_TRUE(m_vectors.Refresh());
    EXPECT_EQ(All()[0], (Point{315, 71}));

    Set(25, 100);
    EXPECT_TRUE(m_vectors.Refresh());
    EXPECT_EQ(All(), (Vectors{Point{315, 71}, {0, 0}, {90, 100}, {0, 5}}));

    // The last register, the fourth vector's y, counts like the others and settles too.
    Set(27, -5);
    EXPECT_TRUE(m_vectors.Refresh());
    EXPECT_EQ(All()[3], (Point{315, 7}));
    EXPECT_FALSE(m_vectors.Refresh());

    // Register 23 is not declared: the second vector's y stays 0.
    Set(22, -100);
    EXPECT_TRUE(m_vectors.Refresh());
    EXPECT_EQ(All()[1], (Point{180, 100}));
    EXPECT_EQ(m_vectors.GetRegisterValue(23), 0);
    // Registers outside 20 to 27 are not the view's.
    m_vectors.SetRegister(19, 77);
    m_vectors.SetRegister(28, 77);
    EXPECT_EQ(m_vectors.GetRegisterValue(19), 0);
    EXPECT_EQ(All(), (Vectors{Point{315, 71}, {180, 100}, {90, 100}, {315, 7}}));
}
