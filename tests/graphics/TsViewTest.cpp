#include "graphics/TsView.h"
#include "ConfigFixture.h"
#include "QtTestApp.h"
#include "config/Configuration.h"
#include "config/RegisterValue.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include <string>

namespace {

const QRgb WHITE = qRgb(255, 255, 255);
const QRgb BLACK = qRgb(0, 0, 0);
const QRgb CIRCLE = qRgb(200, 200, 200);
const QRgb AXIS = qRgb(255, 255, 0);
const QRgb VECTOR = qRgb(255, 10, 10);
const QRgb DOT = qRgb(255, 20, 20);

const char* const s_parameters =
    "<P Id=\"20\" Value=\"0\" Minimum=\"-2147483648\" Maximum=\"2147483647\"/>"
    "<P Id=\"21\" Value=\"0\" Minimum=\"-2147483648\" Maximum=\"2147483647\"/>"
    "<P Id=\"22\" Value=\"0\"/><P Id=\"23\" Value=\"0\"/>"
    "<P Id=\"24\" Value=\"0\"/><P Id=\"25\" Value=\"0\"/>"
    "<P Id=\"26\" Value=\"0\"/><P Id=\"27\" Value=\"0\"/>";

std::string Describe(QRgb color) {
    return "(" + std::to_string(qRed(color)) + "," + std::to_string(qGreen(color)) + "," +
           std::to_string(qBlue(color)) + ")";
}

class TsViewTest : public ::testing::Test {
protected:
    TsViewTest() : m_fixture(MakeConfigXml(s_parameters)) {}

    void Set(std::int32_t registerNumber, double value) {
        CRegisterValue change(SOURCE_DEVICE, registerNumber, value);
        m_fixture.Config().Update(change);
    }

    QImage Render(int width, int height) {
        m_view.resize(width, height);
        m_view.Refresh();
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(qRgb(1, 2, 3));
        m_view.render(&image);
        return image;
    }

    static void ExpectPixel(const QImage& image, int x, int y, QRgb expected) {
        const QRgb got = image.pixel(x, y);
        EXPECT_EQ(got, expected) << "pixel " << x << "," << y << " is " << Describe(got)
                                 << ", expected " << Describe(expected);
    }

    static int Count(const QImage& image, QRgb color, const QRect& area) {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                count += image.pixel(x, y) == color ? 1 : 0;
            }
        }
        return count;
    }

    // Widgets need the application object first.
    QApplication& m_application = EnsureApplication();
    CConfigFixture m_fixture;
    CTsView m_view;
};

} // namespace

// Boxes cover left..right-1 and top..bottom-1, as on the platform the diagram was made for.
TEST_F(TsViewTest, SquareViewFrameCircleAndAxes) {
    const QImage image = Render(200, 200);
    // White background inside a black frame.
    for (const auto& [x, y] : {std::pair{0, 0},
                               {199, 0},
                               {0, 199},
                               {199, 199},
                               {50, 0},
                               {0, 50},
                               {199, 50},
                               {50, 199}}) {
        ExpectPixel(image, x, y, BLACK);
    }
    ExpectPixel(image, 1, 1, WHITE);
    ExpectPixel(image, 198, 198, WHITE);
    // The circle's box is (24, 24, 177, 177): outline at 24 and 176 (beside the axes).
    ExpectPixel(image, 24, 99, BLACK);
    ExpectPixel(image, 176, 99, BLACK);
    ExpectPixel(image, 99, 24, BLACK);
    ExpectPixel(image, 99, 176, BLACK);
    ExpectPixel(image, 23, 99, WHITE);
    ExpectPixel(image, 177, 99, WHITE);
    ExpectPixel(image, 99, 23, WHITE);
    ExpectPixel(image, 99, 177, WHITE);
    ExpectPixel(image, 25, 99, CIRCLE);
    ExpectPixel(image, 175, 101, CIRCLE);
    // Axes over everything, the full height and width of the square.
    for (int i = 0; i < 200; ++i) {
        ExpectPixel(image, 100, i, AXIS);
        ExpectPixel(image, i, 100, AXIS);
    }
    ExpectPixel(image, 99, 10, WHITE);
    ExpectPixel(image, 101, 10, WHITE);
    // No vector has a magnitude: nothing red, no label.
    EXPECT_EQ(Count(image, VECTOR, image.rect()), 0);
    EXPECT_EQ(Count(image, DOT, image.rect()), 0);
}

TEST_F(TsViewTest, WideViewAxisEndsAtTheSmallerSide) {
    const QImage image = Render(240, 180);
    // Horizontal axis from (0, 90) to (180, 90), the end point itself not drawn.
    for (int x = 0; x < 180; ++x) {
        ExpectPixel(image, x, 90, AXIS);
    }
    ExpectPixel(image, 180, 90, CIRCLE);
    ExpectPixel(image, 239, 90, BLACK);
    for (int y = 0; y < 180; ++y) {
        ExpectPixel(image, 120, y, AXIS);
    }
    // Circle box (51, 21, 189, 159).
    ExpectPixel(image, 51, 89, BLACK);
    ExpectPixel(image, 188, 89, BLACK);
    ExpectPixel(image, 50, 89, WHITE);
    ExpectPixel(image, 189, 89, WHITE);
    ExpectPixel(image, 119, 21, BLACK);
    ExpectPixel(image, 119, 20, WHITE);
    ExpectPixel(image, 119, 158, BLACK);
    ExpectPixel(image, 119, 159, WHITE);
}

TEST_F(TsViewTest, VectorOfAngle0AndMagnitude100) {
    const QImage empty = Render(200, 200);
    Set(20, 100);
    const QImage image = Render(200, 200);
    // The red line runs along the axis from the centre towards the tip (177, 100).
    for (int x = 100; x <= 170; ++x) {
        ExpectPixel(image, x, 100, VECTOR);
    }
    // The tip dot's box is (171, 95, 181, 105): red outline, lighter red inside. Pixels right of
    // x = 176 may be covered by the label.
    ExpectPixel(image, 171, 99, VECTOR);
    ExpectPixel(image, 170, 99, CIRCLE);
    ExpectPixel(image, 180, 100, VECTOR);
    ExpectPixel(image, 181, 100, AXIS);
    ExpectPixel(image, 175, 95, VECTOR);
    ExpectPixel(image, 175, 94, CIRCLE);
    ExpectPixel(image, 175, 104, VECTOR);
    ExpectPixel(image, 175, 105, CIRCLE);
    for (int x = 172; x <= 176; ++x) {
        ExpectPixel(image, x, 100, DOT);
    }
    // The label's first line "K1" starts at (176, 80), right of the circle's outline.
    const QRect firstLine(177, 80, 22, 14);
    EXPECT_EQ(Count(empty, BLACK, firstLine), 0);
    EXPECT_GT(Count(image, BLACK, firstLine), 10);
    EXPECT_EQ(Count(image, BLACK, QRect(177, 60, 22, 19)), 0);
}

TEST_F(TsViewTest, VectorOfAngle90StopsAtItsTip) {
    Set(21, 100);
    const QImage image = Render(200, 200);
    // From the centre up to the tip (100, 23); the dot's box is (95, 18, 105, 28).
    for (int y = 28; y <= 100; ++y) {
        ExpectPixel(image, 100, y, VECTOR);
    }
    ExpectPixel(image, 100, 18, VECTOR);
    ExpectPixel(image, 100, 17, AXIS);
    ExpectPixel(image, 95, 23, VECTOR);
    ExpectPixel(image, 94, 23, WHITE);
    ExpectPixel(image, 98, 23, DOT);
    // Label box from (100, 3): the line "K1" lies above the dot.
    EXPECT_GT(Count(image, BLACK, QRect(101, 3, 30, 14)), 10);
}

TEST_F(TsViewTest, HugeMagnitudesAreDrawnAndClipped) {
    Set(20, 2147483647.0);
    Set(21, 2147483647.0);
    const QImage image = Render(200, 200);
    // The line leaves the view towards the top-right corner; dot and label lie far outside.
    for (int d = 5; d < 99; d += 7) {
        const int x = 100 + d;
        const int y = 100 - d;
        const bool red = image.pixel(x, y) == VECTOR || image.pixel(x - 1, y) == VECTOR ||
                         image.pixel(x + 1, y) == VECTOR;
        EXPECT_TRUE(red) << d;
    }
    EXPECT_EQ(Count(image, DOT, image.rect()), 0);
}

TEST_F(TsViewTest, RepaintsOnlyWhenAValueChanged) {
    class CPaintCounter : public QObject {
    public:
        int m_paints = 0;

    protected:
        bool eventFilter(QObject* watched, QEvent* event) override {
            m_paints += event->type() == QEvent::Paint ? 1 : 0;
            return QObject::eventFilter(watched, event);
        }
    };
    m_view.resize(120, 120);
    m_view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    QCoreApplication::processEvents();
    CPaintCounter counter;
    m_view.installEventFilter(&counter);

    m_view.Refresh();
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.m_paints, 0);

    Set(24, 7);
    m_view.Refresh();
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.m_paints, 1);
    EXPECT_EQ(m_view.GetVectors().GetVector(2).m_magnitude, 7);

    m_view.Refresh();
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.m_paints, 1);
    m_view.removeEventFilter(&counter);
}
