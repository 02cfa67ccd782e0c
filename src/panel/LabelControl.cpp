#include "LabelControl.h"

CLabelControl::CLabelControl(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(true);
    // The configuration's texts are shown as they are, never as markup.
    setTextFormat(Qt::PlainText);
}

CLabelControl::~CLabelControl() = default;
