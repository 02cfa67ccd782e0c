#pragma once

#include "PageControl.h"

#include <QCheckBox>

// A check box that toggles itself on a click; the click reaches the panel as its command.
class CCheckControl : public QCheckBox, public IPageControl {
    Q_OBJECT

public:
    explicit CCheckControl(QWidget* parent = nullptr);
    ~CCheckControl() override;

    // Checked for any value but 0.
    void ShowValue(std::int32_t value) override;
    // 1 when checked, 0 otherwise.
    std::optional<std::int32_t> ReadCommandValue() const override;
    void UndoUserChange() override;
};
