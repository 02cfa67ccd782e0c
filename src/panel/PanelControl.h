#pragma once

#include "PageControl.h"
#include "graphics/DibImage.h"

#include <QWidget>

#include <string>

// A picture on a near-white background, at the control's top-left corner and natural size.
class CPanelControl : public QWidget, public IPageControl {
    Q_OBJECT

public:
    explicit CPanelControl(QWidget* parent = nullptr);
    ~CPanelControl() override;

    // Reads the picture from the full path; one that does not load shows the background only.
    void SetImage(const std::string& path);
    void ShowValue(std::int32_t /*value*/) override {}

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CDibImage m_image;
};
