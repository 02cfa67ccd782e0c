#include "ControlPainting.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPainter>
#include <QWidget>

void PreparePainter(QPainter& painter, const QWidget& widget) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    QFont font = widget.font();
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
}

void DrawCaption(QPainter& painter, const QRect& rect, int flags, const QString& text) {
    painter.setPen(Qt::black);
    painter.drawText(rect, flags | Qt::TextShowMnemonic, text);
}

void DrawFrame(QPainter& painter, int width, int height) {
    if (width <= 0 || height <= 0) {
        return;
    }
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    // The outline of QRect(0, 0, w - 1, h - 1) covers columns 0..w-1 and rows 0..h-1.
    painter.drawRect(QRect(0, 0, width - 1, height - 1));
}

bool ClickOnEnter(QAbstractButton& button, const QKeyEvent& event) {
    if (event.key() != Qt::Key_Return && event.key() != Qt::Key_Enter) {
        return false;
    }
    if (!event.isAutoRepeat()) {
        button.click();
    }
    return true;
}
