#include "graphics/DibImageQt.h"
#include "BmpCases.h"
#include "QtTestSupport.h"
#include "graphics/DibImage.h"

#include <gtest/gtest.h>

#include <QPainter>

namespace {

const QRgb s_canvas = qRgb(255, 0, 255);

QRgb ToQRgb(SRgb color) {
    return qRgb(color.m_red, color.m_green, color.m_blue);
}

} // namespace

TEST(DibImageQt, DrawsEveryFormatUprightAtThePositionWithoutScaling) {
    EnsureApplication();
    for (const SBmpCase& c : AllFormatCases()) {
        SCOPED_TRACE(c.m_name);
        CDibImage image;
        ASSERT_TRUE(LoadBytes(image, MakeBmp(c.m_layout)));
        QImage canvas(30, 20, QImage::Format_RGB32);
        canvas.fill(s_canvas);
        {
            QPainter painter(&canvas);
            EXPECT_TRUE(DrawDibImage(painter, image, 2, 3));
        }
        for (int y = 0; y < canvas.height(); ++y) {
            for (int x = 0; x < canvas.width(); ++x) {
                const bool inside =
                    x >= 2 && x < 2 + c.m_layout.m_width && y >= 3 && y < 3 + c.m_layout.m_height;
                const QRgb expected = inside ? ToQRgb(c.m_expected(x - 2, y - 3)) : s_canvas;
                EXPECT_EQ(canvas.pixel(x, y), expected) << x << "," << y;
            }
        }
    }
}
