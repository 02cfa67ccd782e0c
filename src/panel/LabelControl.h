#pragma once

#include "PageControl.h"

#include <QLabel>

// Static text, left-aligned from the top and wrapped at word boundaries, drawn as the Button's
// and Check's texts are.
class CLabelControl : public QLabel, public IPageControl {
    Q_OBJECT

public:
    explicit CLabelControl(QWidget* parent = nullptr);
    ~CLabelControl() override;

    void ShowValue(std::int32_t /*value*/) override {}

protected:
    void paintEvent(QPaintEvent* event) override;
};
