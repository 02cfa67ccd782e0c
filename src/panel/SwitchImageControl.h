#pragma once

#include "PageControl.h"
#include "graphics/DibImage.h"

#include <QWidget>

#include <memory>
#include <string>
#include <vector>

// One of up to 50 pictures on white, chosen by the display value: below 0 the first, beyond
// the last the last. A picture that failed to load still takes its place (and shows white).
class CSwitchImageControl : public QWidget, public IPageControl {
    Q_OBJECT

public:
    static constexpr int MAX_IMAGES = 50;

    explicit CSwitchImageControl(QWidget* parent = nullptr);
    ~CSwitchImageControl() override;

    // Reads the next picture from the full path; beyond MAX_IMAGES pictures nothing is added.
    void AddImage(const std::string& path);
    void SetIndex(std::int32_t value);
    int GetImageCount() const { return static_cast<int>(m_images.size()); }
    std::int32_t GetIndex() const { return m_index; }

    void ShowValue(std::int32_t value) override { SetIndex(value); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<std::unique_ptr<CDibImage>> m_images;
    std::int32_t m_index = 0;
};
