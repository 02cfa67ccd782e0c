#include "BarControl.h"

#include "ControlPainting.h"
#include "ControlRules.h"

#include <QPainter>

namespace {

const QColor s_background(200, 200, 200);
const QColor s_positive(255, 0, 0);
const QColor s_negative(0, 0, 255);

} // namespace

CBarControl::CBarControl(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CBarControl::~CBarControl() = default;

void CBarControl::SetRange(std::int32_t minimum, std::int32_t maximum) {
    m_minimum = minimum;
    m_maximum = maximum;
}

void CBarControl::SetValue(std::int32_t value) {
    m_value = value;
    update();
}

void CBarControl::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    PreparePainter(painter, *this);
    const int w = width();
    const int h = height();
    painter.fillRect(rect(), s_background);
    const SBarRows rows = ComputeBarRows(m_minimum, m_maximum, m_value, h);
    if (rows.m_hasRange) {
        if (rows.m_fillTop < rows.m_fillBottom) {
            painter.fillRect(QRect(0, rows.m_fillTop, w, rows.m_fillBottom - rows.m_fillTop),
                             rows.m_positive ? s_positive : s_negative);
        }
        if (rows.m_zeroLine) {
            painter.fillRect(QRect(0, rows.m_zeroRow, w, 1), Qt::black);
        }
    }
    DrawFrame(painter, w, h);
}
