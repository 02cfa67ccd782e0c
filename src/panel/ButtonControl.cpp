#include "ButtonControl.h"

#include "ControlPainting.h"
#include "graphics/ButtonImage.h"
#include "graphics/ButtonImageCache.h"
#include "graphics/DibImageQt.h"

#include <QPainter>

CButtonControl::CButtonControl(QWidget* parent) : QAbstractButton(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

CButtonControl::~CButtonControl() = default;

void CButtonControl::SetCaption(const QString& text) {
    setText(text);
    setShortcut(QKeySequence());
}

void CButtonControl::SetImage(const std::string& name) {
    m_image = GetButtonImage(name);
    update();
}

void CButtonControl::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    PreparePainter(painter, *this);
    const bool pressed = isDown();
    const QColor face = ToQColor(pressed ? CButtonImage::PRESSED_FACE : CButtonImage::NORMAL_FACE);
    painter.fillRect(rect(), face);
    if (m_image != nullptr && m_image->GetNormal().GetWidth() > 0) {
        DrawDibImage(painter, pressed ? m_image->GetPressed() : m_image->GetNormal(), 2, 2);
    }
    // The caption's cells take the face colour, as text drawn on an opaque background does.
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(face);
    DrawCaption(painter, rect(), Qt::AlignCenter | Qt::TextSingleLine, text());
    painter.setBackgroundMode(Qt::TransparentMode);
    DrawFrame(painter, width(), height());
}

void CButtonControl::keyPressEvent(QKeyEvent* event) {
    if (!ClickOnEnter(*this, *event)) {
        QAbstractButton::keyPressEvent(event);
    }
}
