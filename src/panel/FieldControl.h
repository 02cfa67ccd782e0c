#pragma once

#include "PageControl.h"

#include <QLineEdit>

// A one-line edit field. Enter commits it: the command is posted, so that it arrives after the
// key has been handled, and is lost with the field should the page change first. Anything may
// be typed; what is written is the integer the text begins with.
class CFieldControl : public QLineEdit, public IPageControl {
    Q_OBJECT

public:
    explicit CFieldControl(QWidget* parent = nullptr);
    ~CFieldControl() override;

    // Replaces the text with the value, whatever was typed.
    void ShowValue(std::int32_t value) override;
    // The integer at the start of the text; none when it does not begin with one.
    std::optional<std::int32_t> ReadCommandValue() const override;

signals:
    void Committed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
