#pragma once

#include "ControlRules.h"
#include "PageControl.h"

#include <QSlider>

// A slider over a value range with tick marks, horizontal with its minimum at the left or
// vertical with its maximum at the top. Its position is the value itself, kept within the
// range; the position the operator sets is read back on every tick. The wheel moves it only
// once the operator has given it the focus.
class CSliderControl : public QSlider, public IPageControl {
    Q_OBJECT

public:
    explicit CSliderControl(bool vertical, QWidget* parent = nullptr);
    ~CSliderControl() override;

    void SetRange(std::int32_t minimum, std::int32_t maximum);
    // Tick marks every that many values.
    void SetTickFrequency(std::int32_t frequency);

    void ShowValue(std::int32_t value) override;
    std::optional<std::int32_t> ReadUserValue() const override;

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    SSliderRange m_range;
};
