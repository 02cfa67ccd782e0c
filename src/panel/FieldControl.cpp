#include "FieldControl.h"

#include "ControlRules.h"

#include <QKeyEvent>

CFieldControl::CFieldControl(QWidget* parent) : QLineEdit(parent) {}

CFieldControl::~CFieldControl() = default;

void CFieldControl::ShowValue(std::int32_t value) {
    setText(QString::number(value));
}

std::optional<std::int32_t> CFieldControl::ReadCommandValue() const {
    return ReadLeadingInteger(text().toStdString());
}

void CFieldControl::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Queued on the field itself: Qt drops it when the field is destroyed before it runs.
        QMetaObject::invokeMethod(
            this, [this] { emit Committed(); }, Qt::QueuedConnection);
    }
    QLineEdit::keyPressEvent(event);
}
