#include "LabelControl.h"

#include "ControlPainting.h"

#include <QPainter>

CLabelControl::CLabelControl(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(true);
    // The configuration's texts are never markup.
    setTextFormat(Qt::PlainText);
}

void CLabelControl::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    PreparePainter(painter, *this);
    DrawCaption(painter, contentsRect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text());
}

CLabelControl::~CLabelControl() = default;
