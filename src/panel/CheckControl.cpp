#include "CheckControl.h"

CCheckControl::CCheckControl(QWidget* parent) : QCheckBox(parent) {}

CCheckControl::~CCheckControl() = default;

void CCheckControl::ShowValue(std::int32_t value) {
    setChecked(value != 0);
}

std::optional<std::int32_t> CCheckControl::ReadCommandValue() const {
    return isChecked() ? 1 : 0;
}

void CCheckControl::UndoUserChange() {
    setChecked(!isChecked());
}
