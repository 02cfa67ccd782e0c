#include "SwitchImageControl.h"

#include "ControlRules.h"
#include "graphics/DibImageQt.h"

#include <QPaintEvent>
#include <QPainter>

CSwitchImageControl::CSwitchImageControl(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CSwitchImageControl::~CSwitchImageControl() = default;

void CSwitchImageControl::AddImage(const std::string& path) {
    if (GetImageCount() >= MAX_IMAGES) {
        return;
    }
    auto image = std::make_unique<CDibImage>();
    image->Load(path);
    m_images.push_back(std::move(image));
}

void CSwitchImageControl::SetIndex(std::int32_t value) {
    m_index = ClampSwitchIndex(value, GetImageCount());
    update();
}

void CSwitchImageControl::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    if (m_index >= 0 && m_index < GetImageCount()) {
        DrawDibImage(painter, *m_images[static_cast<std::size_t>(m_index)], 0, 0);
    }
}
