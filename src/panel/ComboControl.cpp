#include "ComboControl.h"

#include "ControlRules.h"
#include "config/UiObject.h"

#include <QAbstractItemView>

#include <QWheelEvent>

CComboControl::CComboControl(QWidget* parent) : QComboBox(parent) {
    // Qt's combo takes the focus from a wheel turned over it, which would let the same turn
    // change the choice.
    setFocusPolicy(Qt::StrongFocus);
}

CComboControl::~CComboControl() = default;

void CComboControl::AddItem(const QString& name, std::int32_t value) {
    addItem(name);
    m_values.push_back(value);
    // Qt selects the first entry added; the list starts with none, so that nothing is written
    // before a value or the operator chooses one.
    setCurrentIndex(-1);
}

void CComboControl::SetListHeight(int pixels) {
    if (pixels <= 0) {
        return;
    }
    // The height decides how many entries show, not Qt's count of ten.
    setMaxVisibleItems(CUiObject::MAX_ITEMS);
    view()->window()->setMaximumHeight(pixels);
}

void CComboControl::ShowValue(std::int32_t value) {
    const int index =
        FindLastItemWithValue(m_values.data(), static_cast<int>(m_values.size()), value);
    if (index >= 0) {
        setCurrentIndex(index);
    }
}

std::optional<std::int32_t> CComboControl::ReadUserValue() const {
    const int index = currentIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= m_values.size()) {
        return std::nullopt;
    }
    return m_values[static_cast<std::size_t>(index)];
}

void CComboControl::wheelEvent(QWheelEvent* event) {
    // Scrolling past the list must not change the machine: the page gets the wheel instead.
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}
