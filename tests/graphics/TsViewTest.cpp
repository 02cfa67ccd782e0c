#include "graphics/TsView.h"
#include "QtTestSupport.h"
#include "TsRegisters.h"

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

class CCountingView : public CTsView {
public:
    int m_paints = 0;

protected:
    void paintEvent(QPaintEvent* event) override {
        ++m_paints;
        CTsView::paintEvent(event);
    }
};

class TsViewTest : public ::testing::Test, public CTsRegisters {
protected:
    QImage Render(int width, int height) {
        m_view.resize(width, height);
        m_view.Refresh();
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(qRgb(1, 2, 3));
        m_view.render(&image);
        return image;
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
    CCountingView m_view;
};

} // namespace

// Boxes cover left..right-1 and top..bottom-1, as on the platform the diagram was made for.
TEST_F(TsViewTest, SquareViewFrameCircleAxesAndAVectorOfAngle0) {
    const QImage empty = Render(200, 200);
    // White background inside a black frame.
    ExpectPixels(empty, BLACK,
                 {{0, 0}, {199, 0}, {0, 199}, {199, 199}, {50, 0}, {0, 50}, {199, 50}, {50, 199}});
    // The circle's box is (24, 24, 177, 177): outline at 24 and 176 (beside the axes).
    ExpectPixels(empty, BLACK, {{24, 99}, {176, 99}, {99, 24}, {99, 176}});
    ExpectPixels(
        empty, WHITE,
        {{1, 1}, {198, 198}, {23, 99}, {177, 99}, {99, 23}, {99, 177}, {99, 10}, {101, 10}});
    ExpectPixels(empty, CIRCLE, {{25, 99}, {175, 101}});
    // Axes over everything, the full height and width of the square.
    for (int i = 0; i < 200; ++i) {
        ExpectPixels(empty, AXIS, {{100, i}, {i, 100}});
    }
    // No vector has a magnitude: nothing red, no label.
    EXPECT_EQ(Count(empty, VECTOR, empty.rect()), 0);
    EXPECT_EQ(Count(empty, DOT, empty.rect()), 0);
    Set(20, 100);
    const QImage image = Render(200, 200);
    // The red line runs along the axis from the centre towards the tip (177, 100).
    for (int x = 100; x <= 170; ++x) {
        ExpectPixels(image, VECTOR, {{x, 100}});
    }
    // The tip dot's box is (171, 95, 181, 105): red outline, lighter red inside. Pixels right of
    // x = 176 may be covered by the label.
    ExpectPixels(image, VECTOR, {{171, 99}, {180, 100}, {175, 95}, {175, 104}});
    ExpectPixels(image, CIRCLE, {{170, 99}, {175, 94}, {175, 105}});
    ExpectPixels(image, AXIS, {{181, 100}});
    ExpectPixels(image, DOT, {{172, 100}, {173, 100}, {174, 100}, {175, 100}, {176, 100}});
    // The label's first line "K1" starts at (176, 80), right of the circle's outline.
    const QRect firstLine(177, 80, 22, 14);
    EXPECT_EQ(Count(empty, BLACK, firstLine), 0);
    EXPECT_GT(Count(image, BLACK, firstLine), 10);
    EXPECT_EQ(Count(image, BLACK, QRect(177, 60, 22, 19)), 0);
}

// The frame's geometry is pinned in the core tests; here that the view draws the axis it gives.
TEST_F(TsViewTest, WideViewAxisEndsAtTheSmallerSide) {
    const QImage image = Render(240, 180);
    for (int i = 0; i < 180; ++i) {
        ExpectPixels(image, AXIS, {{i, 90}, {120, i}});
    }
    ExpectPixels(image, CIRCLE, {{180, 90}});
    ExpectPixels(image, BLACK, {{239, 90}});
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
    m_view.resize(120, 120);
    m_view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    QCoreApplication::processEvents();
    const int shown = m_view.m_paints;
    const auto paintsAfterRefresh = [&] {
        m_view.Refresh();
        QCoreApplication::processEvents();
        return m_view.m_paints - shown;
    };
    EXPECT_EQ(paintsAfterRefresh(), 0);
    Set(24, 7);
    EXPECT_EQ(paintsAfterRefresh(), 1);
    EXPECT_EQ(paintsAfterRefresh(), 1);
}
