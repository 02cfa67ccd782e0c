#include "CheckControl.h"

#include "ControlPainting.h"

#include <QStyleOptionButton>
#include <QStylePainter>

CCheckControl::CCheckControl(QWidget* parent) : QCheckBox(parent) {}

CCheckControl::~CCheckControl() = default;

void CCheckControl::SetCaption(const QString& text) {
    setText(text);
    setShortcut(QKeySequence());
}

void CCheckControl::ShowValue(std::int32_t value) {
    setChecked(value != 0);
}

std::optional<std::int32_t> CCheckControl::ReadCommandValue() const {
    return isChecked() ? 1 : 0;
}

void CCheckControl::UndoUserChange() {
    setChecked(!isChecked());
}

void CCheckControl::paintEvent(QPaintEvent* /*event*/) {
    // The style draws the box; the text goes where the style would put it, drawn our way.
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect textArea = style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
    option.text.clear();
    painter.drawControl(QStyle::CE_CheckBox, option);
    PreparePainter(painter, *this);
    DrawCaption(painter, textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text());
}

void CCheckControl::keyPressEvent(QKeyEvent* event) {
    if (!ClickOnEnter(*this, *event)) {
        QCheckBox::keyPressEvent(event);
    }
}
