#pragma once

#include <QImage>

class CDibImage;
class QPainter;

// The picture as Qt draws it, upright and at its natural size: a picture with a colour table
// becomes an 8-bit indexed image with that table, every other one a 32-bit RGB image. Null for
// an empty picture.
QImage ToQImage(const CDibImage& image);

// Draws the whole picture with its top-left corner at (x, y), unscaled; false when it is empty.
bool DrawDibImage(QPainter& painter, const CDibImage& image, int x, int y);
