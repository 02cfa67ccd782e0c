#include "graphics/TsVectors.h"
#include "ConfigFixture.h"
#include "config/Configuration.h"
#include "config/RegisterValue.h"
#include "graphics/TsGeometry.h"
#include "platform/TextCodec.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

void ExpectBox(const STsBox& box, std::int32_t left, std::int32_t top, std::int32_t right,
               std::int32_t bottom) {
    EXPECT_EQ(box.m_left, left);
    EXPECT_EQ(box.m_top, top);
    EXPECT_EQ(box.m_right, right);
    EXPECT_EQ(box.m_bottom, bottom);
}

void ExpectPoint(const STsPoint& point, std::int32_t x, std::int32_t y) {
    EXPECT_EQ(point.m_x, x);
    EXPECT_EQ(point.m_y, y);
}

} // namespace

TEST(TsGeometry, OffsetHalfMovesAwayFromZero) {
    EXPECT_EQ(OffsetHalf(0), 0.0);
    EXPECT_EQ(OffsetHalf(1), 1.5);
    EXPECT_EQ(OffsetHalf(-1), -1.5);
    EXPECT_EQ(OffsetHalf(std::numeric_limits<std::int32_t>::min()), -2147483648.5);
}

TEST(TsGeometry, AngleConversionsUseTheShortPi) {
    EXPECT_DOUBLE_EQ(RadToDeg(3.1415926535), 180.0);
    EXPECT_DOUBLE_EQ(DegToRad(180.0), 3.1415926535);
    // The true pi gives a little more than 180 degrees.
    EXPECT_GT(RadToDeg(3.14159265358979323846) - 180.0, 1e-9);
    EXPECT_DOUBLE_EQ(RadToDeg(1.0), 57.29577951471995);
}

TEST(TsGeometry, AngleAndMagnitudeOfRegisterPairs) {
    const struct {
        std::int32_t m_x, m_y, m_angle, m_magnitude;
    } cases[] = {{0, 0, 0, 0},        {10, 0, 0, 10},   {0, 100, 90, 100}, {-100, 0, 180, 100},
                 {0, -1, 270, 1},     {1, 1, 45, 2},    {3, 4, 52, 5},     {50, -50, 315, 71},
                 {127, 127, 45, 180}, {-1, -1, 225, 2}, {1, 0, 0, 1},      {-127, 1, 179, 127}};
    for (const auto& c : cases) {
        const STsVector vector = ComputeTsVector(c.m_x, c.m_y);
        EXPECT_EQ(vector.m_angle, c.m_angle) << c.m_x << "," << c.m_y;
        EXPECT_EQ(vector.m_magnitude, c.m_magnitude) << c.m_x << "," << c.m_y;
    }
}

TEST(TsGeometry, HugeComponentsSaturateTheMagnitude) {
    const std::int32_t big = std::numeric_limits<std::int32_t>::max();
    const STsVector vector = ComputeTsVector(big, -big);
    EXPECT_EQ(vector.m_angle, 315);
    EXPECT_EQ(vector.m_magnitude, big);
}

TEST(TsGeometry, FrameOfASquareView) {
    const STsFrame frame = ComputeTsFrame(200, 200);
    ExpectPoint(frame.m_center, 100, 100);
    EXPECT_EQ(frame.m_size, 200);
    EXPECT_DOUBLE_EQ(frame.m_scale, 100 / 130.0);
    ExpectBox(frame.m_circle, 24, 24, 177, 177);
    ExpectPoint(frame.m_verticalAxisFrom, 100, 0);
    ExpectPoint(frame.m_verticalAxisTo, 100, 200);
    ExpectPoint(frame.m_horizontalAxisFrom, 0, 100);
    ExpectPoint(frame.m_horizontalAxisTo, 200, 100);
}

TEST(TsGeometry, HorizontalAxisEndsAtTheSmallerSide) {
    const STsFrame wide = ComputeTsFrame(240, 180);
    ExpectPoint(wide.m_horizontalAxisFrom, 0, 90);
    ExpectPoint(wide.m_horizontalAxisTo, 180, 90);
    ExpectPoint(wide.m_verticalAxisTo, 120, 180);
    ExpectBox(wide.m_circle, 51, 21, 189, 159);
}

TEST(TsGeometry, TinyViewsUseSize100) {
    for (const auto& size : {std::pair{1, 50}, std::pair{50, 0}, std::pair{0, 0}}) {
        const STsFrame frame = ComputeTsFrame(size.first, size.second);
        EXPECT_EQ(frame.m_size, 100);
        EXPECT_DOUBLE_EQ(frame.m_scale, 50 / 130.0);
    }
    EXPECT_EQ(ComputeTsFrame(2, 50).m_size, 2);
}

TEST(TsGeometry, VectorShapesInASquareView) {
    const STsFrame frame = ComputeTsFrame(200, 200);
    const STsVectorShape east = ComputeTsVectorShape(frame, {0, 100});
    ExpectPoint(east.m_tip, 177, 100);
    ExpectBox(east.m_dot, 171, 95, 181, 105);
    ExpectBox(east.m_label, 176, 80, 276, 140);
    const STsVectorShape north = ComputeTsVectorShape(frame, {90, 100});
    ExpectPoint(north.m_tip, 100, 23);
    const STsVectorShape west = ComputeTsVectorShape(frame, {180, 100});
    ExpectPoint(west.m_tip, 23, 100);
    // Magnitude 130 reaches the edge of the view.
    const STsVectorShape edge = ComputeTsVectorShape(ComputeTsFrame(260, 260), {0, 130});
    ExpectPoint(edge.m_tip, 260, 130);
}

TEST(TsGeometry, LabelCarriesTheDegreeSignOfCodePage1252) {
    const std::string label = FormatTsLabel(3, {52, 5});
    EXPECT_EQ(label, "K3\n52\xB0\n5%");
    EXPECT_EQ(Cp1252ToUtf8(label), "K3\n52\xC2\xB0\n5%");
}

namespace {

const char* const s_parameters =
    "<P Id=\"20\" Value=\"0\" Minimum=\"-2147483648\" Maximum=\"2147483647\"/>"
    "<P Id=\"21\" Value=\"0\" Minimum=\"-1000\" Maximum=\"1000\"/>"
    "<P Id=\"22\" Value=\"0\" Minimum=\"-1000\" Maximum=\"1000\"/>"
    // 23 is not declared: vector 2 has no y component.
    "<P Id=\"24\" Value=\"0\" Minimum=\"-1000\" Maximum=\"1000\"/>"
    "<P Id=\"25\" Value=\"0\" Minimum=\"-1000\" Maximum=\"1000\"/>"
    "<P Id=\"26\" Value=\"5\" Minimum=\"-1000\" Maximum=\"1000\"/>"
    "<P Id=\"27\" Value=\"0\" Minimum=\"-1000\" Maximum=\"1000\"/>"
    "<P Id=\"19\" Value=\"9\"/><P Id=\"28\" Value=\"9\"/>";

class TsVectorsTest : public ::testing::Test {
protected:
    TsVectorsTest() : m_fixture(MakeConfigXml(s_parameters)) {}

    void Set(std::int32_t registerNumber, double value) {
        CRegisterValue change(SOURCE_DEVICE, registerNumber, value);
        m_fixture.Config().Update(change);
    }

    static void ExpectVector(const CTsVectors& vectors, int k, std::int32_t angle,
                             std::int32_t magnitude) {
        EXPECT_EQ(vectors.GetVector(k).m_angle, angle) << "K" << k + 1;
        EXPECT_EQ(vectors.GetVector(k).m_magnitude, magnitude) << "K" << k + 1;
    }

    CConfigFixture m_fixture;
};

} // namespace

TEST_F(TsVectorsTest, RefreshPicksUpChangedRegistersOnly) {
    CTsVectors vectors;
    // Register 26 starts at 5; the others at 0 leave their slots as they are.
    EXPECT_TRUE(vectors.Refresh());
    ExpectVector(vectors, 3, 0, 5);
    for (int k = 0; k < 3; ++k) {
        ExpectVector(vectors, k, 0, 0);
    }
    EXPECT_FALSE(vectors.Refresh());

    Set(20, 10);
    EXPECT_TRUE(vectors.Refresh());
    ExpectVector(vectors, 0, 0, 10);
    EXPECT_FALSE(vectors.Refresh());

    // Both components in one refresh: the vector ends up with both new values.
    Set(20, 50);
    Set(21, -50);
    EXPECT_TRUE(vectors.Refresh());
    ExpectVector(vectors, 0, 315, 71);
}

TEST_F(TsVectorsTest, ChangedRegister25RecomputesOnlyK3) {
    CTsVectors vectors;
    Set(20, 3);
    Set(21, 4);
    vectors.Refresh();
    Set(25, 100);
    EXPECT_TRUE(vectors.Refresh());
    ExpectVector(vectors, 2, 90, 100);
    ExpectVector(vectors, 0, 52, 5);
    ExpectVector(vectors, 3, 0, 5);
    EXPECT_EQ(vectors.GetRegisterValue(25), 100);
}

TEST_F(TsVectorsTest, UndeclaredRegistersStayZeroAndOthersAreIgnored) {
    CTsVectors vectors;
    Set(22, -100);
    vectors.Refresh();
    ExpectVector(vectors, 1, 180, 100);
    EXPECT_EQ(vectors.GetRegisterValue(23), 0);
    // Registers outside 20 to 27 are not the view's.
    vectors.SetRegister(19, 77);
    vectors.SetRegister(28, 77);
    EXPECT_EQ(vectors.GetRegisterValue(19), 0);
    ExpectVector(vectors, 0, 0, 0);
    ExpectVector(vectors, 3, 0, 5);
}

TEST_F(TsVectorsTest, ExtremeValuesDoNotOverflow) {
    CTsVectors vectors;
    Set(20, -2147483648.0);
    vectors.Refresh();
    ExpectVector(vectors, 0, 180, std::numeric_limits<std::int32_t>::max());
}
