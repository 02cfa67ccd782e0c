#include "SliderControl.h"

#include <QWheelEvent>

CSliderControl::CSliderControl(bool vertical, QWidget* parent)
    : QSlider(vertical ? Qt::Vertical : Qt::Horizontal, parent) {
    // Ticks below a horizontal slider, right of a vertical one.
    setTickPosition(QSlider::TicksBelow);
    setRange(0, 0);
}

CSliderControl::~CSliderControl() = default;

void CSliderControl::SetRange(std::int32_t minimum, std::int32_t maximum) {
    m_range = MakeSliderRange(minimum, maximum);
    setRange(m_range.m_minimum, m_range.m_maximum);
}

void CSliderControl::SetTickFrequency(std::int32_t frequency) {
    setTickInterval(frequency);
}

void CSliderControl::ShowValue(std::int32_t value) {
    setValue(SliderPositionForValue(m_range, value));
}

std::optional<std::int32_t> CSliderControl::ReadUserValue() const {
    return value();
}

void CSliderControl::wheelEvent(QWheelEvent* event) {
    // Scrolling past the slider must not move the machine: the page gets the wheel instead.
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QSlider::wheelEvent(event);
}
