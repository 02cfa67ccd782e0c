#pragma once

#include "PageControl.h"

#include <QAbstractButton>

#include <string>

class CButtonImage;

// A push button that draws itself: its face colour, its picture pair from the button-picture
// cache at (2, 2), the caption centred on one line and a one-pixel black frame. While held down
// it shows the pressed face and picture. A click reaches the panel as the button's command.
class CButtonControl : public QAbstractButton, public IPageControl {
    Q_OBJECT

public:
    explicit CButtonControl(QWidget* parent = nullptr);
    ~CButtonControl() override;

    // The caption, drawn with its "&" marks but without the Alt+letter shortcut Qt would make
    // of them: only a click, or Space or Enter on the focused button, presses it.
    void SetCaption(const QString& text);
    // Takes the named picture pair from the cache, which keeps it for the whole run.
    void SetImage(const std::string& name);
    void ShowValue(std::int32_t /*value*/) override {}

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    CButtonImage* m_image = nullptr;
};
