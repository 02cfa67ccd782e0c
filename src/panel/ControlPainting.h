#pragma once

#include "graphics/Rgb.h"

#include <QColor>

class QPainter;
class QWidget;

// Drawing shared by the controls that paint themselves.

inline QColor ToQColor(SRgb color) {
    return {color.m_red, color.m_green, color.m_blue};
}

// Sharp one-pixel lines and unsmoothed text, so every control looks the same on every screen.
void PreparePainter(QPainter& painter, const QWidget& widget);

// The one-pixel black frame around the outermost pixels of a w x h control.
void DrawFrame(QPainter& painter, int width, int height);
