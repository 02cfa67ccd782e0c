#pragma once

#include "PageControl.h"
#include "graphics/TsView.h"

// The vector diagram on a page. It takes no display value: every refresh tick lets it read its
// registers again.
class CTsViewControl : public CTsView, public IPageControl {
    Q_OBJECT

public:
    explicit CTsViewControl(QWidget* parent = nullptr);
    ~CTsViewControl() override;

    void ShowValue(std::int32_t /*value*/) override { Refresh(); }
};
