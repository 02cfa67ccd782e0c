#pragma once

#include "PageControl.h"

#include <QCheckBox>

// A check box that toggles itself on a click, or Space or Enter while it has the focus; that
// reaches the panel as its command.
// Its text is drawn as the Button's and Label's are.
class CCheckControl : public QCheckBox, public IPageControl {
    Q_OBJECT

public:
    explicit CCheckControl(QWidget* parent = nullptr);
    ~CCheckControl() override;

    // The text, drawn with its "&" marks but without the Alt+letter shortcut Qt would make of
    // them.
    void SetCaption(const QString& text);
    // Checked for any value but 0.
    void ShowValue(std::int32_t value) override;
    // 1 when checked, 0 otherwise.
    std::optional<std::int32_t> ReadCommandValue() const override;
    void UndoUserChange() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
