#pragma once

#include "PageControl.h"

#include <QComboBox>

#include <vector>

// A drop-down list whose entries stand for values. It starts without a selection; a display
// value selects the last entry with that value, and the value of the entry the operator picks
// is read back on every tick. The wheel changes the choice only once the operator has given the
// list the focus.
class CComboControl : public QComboBox, public IPageControl {
    Q_OBJECT

public:
    explicit CComboControl(QWidget* parent = nullptr);
    ~CComboControl() override;

    // Appends an entry at the end: the list is never sorted, so position i is entry i.
    void AddItem(const QString& name, std::int32_t value);

    // The open list takes at most that many pixels and scrolls beyond; none at all changes
    // nothing.
    void SetListHeight(int pixels);

    // No entry with the value leaves the selection as it is.
    void ShowValue(std::int32_t value) override;
    std::optional<std::int32_t> ReadUserValue() const override;

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    std::vector<std::int32_t> m_values;
};
