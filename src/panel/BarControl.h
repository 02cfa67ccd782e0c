#pragma once

#include "PageControl.h"

#include <QWidget>

// A vertical bar graph around a zero line: grey background, the section between 0 and the
// value red for a value above 0 and blue otherwise, the zero line when the range reaches below
// 0, and a one-pixel black frame. The maximum is at the top edge, the minimum at the bottom.
class CBarControl : public QWidget, public IPageControl {
    Q_OBJECT

public:
    explicit CBarControl(QWidget* parent = nullptr);
    ~CBarControl() override;

    void SetRange(std::int32_t minimum, std::int32_t maximum);
    void SetValue(std::int32_t value);
    std::int32_t GetValue() const { return m_value; }

    void ShowValue(std::int32_t value) override { SetValue(value); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Shown until the first refresh tick sets a value.
    std::int32_t m_value = 0;
    std::int32_t m_minimum = 0;
    std::int32_t m_maximum = 0;
};
