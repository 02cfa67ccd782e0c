#include "TsView.h"

#include "platform/TextCodec.h"

#include <QPainter>

namespace {

const QColor s_circleFill(200, 200, 200);
const QColor s_axisColor(255, 255, 0);
const QColor s_vectorColor(255, 10, 10);
const QColor s_dotFill(255, 20, 20);

// The geometry follows the Windows drawing rules the diagram was designed with; QPainter's
// differ, so every figure goes through these (aliased, 1-pixel cosmetic pens):

// A box (left, top, right, bottom) covers the pixels left..right-1 and top..bottom-1, outline
// included; QPainter's outline of QRect(x, y, w, h) covers x..x+w, hence the 1 less.
QRect OutlineRect(const STsBox& box) {
    return {box.m_left, box.m_top, box.m_right - box.m_left - 1, box.m_bottom - box.m_top - 1};
}

void DrawRectangle(QPainter& painter, const STsBox& box, const QColor& fill) {
    const QRect rect = OutlineRect(box);
    if (rect.width() < 0 || rect.height() < 0) {
        return;
    }
    painter.setPen(Qt::black);
    painter.setBrush(fill);
    painter.drawRect(rect);
}

void DrawEllipse(QPainter& painter, const STsBox& box, const QColor& outline, const QColor& fill) {
    const QRect rect = OutlineRect(box);
    if (rect.width() < 0 || rect.height() < 0) {
        return;
    }
    painter.setPen(outline);
    painter.setBrush(fill);
    painter.drawEllipse(rect);
}

// A line covers its start pixel but not its end pixel. QPainter draws both ends (square cap)
// or leaves out the one with the larger coordinate (flat cap), so the end pixel is clipped.
void DrawLine(QPainter& painter, const STsPoint& from, const STsPoint& to, const QColor& color) {
    // save/restore rather than setClipping(false): a clip region set again after that is not
    // always honoured by the raster engine.
    painter.save();
    QPen pen(color, 0);
    pen.setCapStyle(Qt::SquareCap);
    painter.setPen(pen);
    const QRect device(0, 0, painter.device()->width(), painter.device()->height());
    painter.setClipRegion(QRegion(device).subtracted(QRegion(to.m_x, to.m_y, 1, 1)));
    painter.drawLine(QPoint(from.m_x, from.m_y), QPoint(to.m_x, to.m_y));
    painter.restore();
}

bool Intersects(const STsBox& box, int width, int height) {
    return box.m_right > 0 && box.m_bottom > 0 && box.m_left < width && box.m_top < height;
}

} // namespace

CTsView::CTsView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TsView"));
    // The paint covers every pixel, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CTsView::~CTsView() = default;

void CTsView::Refresh() {
    if (m_vectors.Refresh()) {
        update();
    }
}

void CTsView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    QFont labelFont = font();
    labelFont.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(labelFont);

    const STsFrame frame = ComputeTsFrame(width(), height());
    DrawRectangle(painter, {0, 0, width(), height()}, Qt::white);
    DrawEllipse(painter, frame.m_circle, Qt::black, s_circleFill);
    DrawLine(painter, frame.m_verticalAxisFrom, frame.m_verticalAxisTo, s_axisColor);
    DrawLine(painter, frame.m_horizontalAxisFrom, frame.m_horizontalAxisTo, s_axisColor);

    for (int k = 0; k < CTsVectors::VECTOR_COUNT; ++k) {
        const STsVector vector = m_vectors.GetVector(k);
        if (vector.m_magnitude < 1) {
            continue;
        }
        const STsVectorShape shape = ComputeTsVectorShape(frame, vector);
        DrawLine(painter, frame.m_center, shape.m_tip, s_vectorColor);
        // Far-off dots and labels of huge magnitudes are skipped rather than handed to the
        // rasteriser; they would be clipped away entirely anyway.
        if (Intersects(shape.m_dot, width(), height())) {
            DrawEllipse(painter, shape.m_dot, s_vectorColor, s_dotFill);
        }
        if (Intersects(shape.m_label, width(), height())) {
            const std::string label = Cp1252ToUtf8(FormatTsLabel(k + 1, vector));
            const STsBox& box = shape.m_label;
            painter.setPen(Qt::black);
            painter.drawText(
                QRect(box.m_left, box.m_top, box.m_right - box.m_left, box.m_bottom - box.m_top),
                Qt::AlignLeft | Qt::AlignTop, QString::fromUtf8(label.c_str()));
        }
    }
}
