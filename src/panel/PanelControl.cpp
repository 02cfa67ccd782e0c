#include "PanelControl.h"

#include "graphics/DibImageQt.h"

#include <QPaintEvent>
#include <QPainter>

CPanelControl::CPanelControl(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CPanelControl::~CPanelControl() = default;

void CPanelControl::SetImage(const std::string& path) {
    m_image.Load(path);
    update();
}

void CPanelControl::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), QColor(250, 250, 250));
    DrawDibImage(painter, m_image, 0, 0);
}
