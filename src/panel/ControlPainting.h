#pragma once

#include "graphics/Rgb.h"

#include <QColor>

class QAbstractButton;
class QKeyEvent;
class QPainter;
class QRect;
class QString;
class QWidget;

// Drawing and keys shared by the controls that paint themselves.

inline QColor ToQColor(SRgb color) {
    return {color.m_red, color.m_green, color.m_blue};
}

// Sharp one-pixel lines and unsmoothed text, so every control looks the same on every screen.
void PreparePainter(QPainter& painter, const QWidget& widget);

// A control's text as Button, Check and Label all show it: black, on one line or wrapped as the
// flags say, with "&" hidden and the letter after it underlined, and "&&" shown as "&". The
// underline is only drawn: no control has a keyboard shortcut.
void DrawCaption(QPainter& painter, const QRect& rect, int flags, const QString& text);

// The one-pixel black frame around the outermost pixels of a w x h control.
void DrawFrame(QPainter& painter, int width, int height);

// Enter or keypad Enter on a focused Button or Check clicks it as Space does; a key held down
// clicks once. False for every other key, which the control handles as usual.
bool ClickOnEnter(QAbstractButton& button, const QKeyEvent& event);
