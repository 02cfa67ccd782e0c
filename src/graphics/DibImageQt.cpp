#include "DibImageQt.h"

#include "DibImage.h"

#include <QList>
#include <QPainter>

#include <cstdint>

QImage ToQImage(const CDibImage& image) {
    if (image.IsEmpty()) {
        return {};
    }
    const int width = image.GetWidth();
    const int height = image.GetRowCount();
    if (image.GetColorCount() > 0) {
        QImage indexed(width, height, QImage::Format_Indexed8);
        if (indexed.isNull()) {
            return {};
        }
        QList<QRgb> table;
        table.reserve(image.GetColorCount());
        for (int i = 0; i < image.GetColorCount(); ++i) {
            const SRgb color = image.GetColorTableEntry(i);
            table.append(qRgb(color.m_red, color.m_green, color.m_blue));
        }
        indexed.setColorTable(table);
        for (int y = 0; y < height; ++y) {
            image.DecodeIndexRow(y, indexed.scanLine(y));
        }
        return indexed;
    }
    QImage rgb(width, height, QImage::Format_RGB32);
    if (rgb.isNull()) {
        return {};
    }
    for (int y = 0; y < height; ++y) {
        image.DecodeRow(y, reinterpret_cast<std::uint32_t*>(rgb.scanLine(y)));
    }
    return rgb;
}

bool DrawDibImage(QPainter& painter, const CDibImage& image, int x, int y) {
    const QImage converted = ToQImage(image);
    if (converted.isNull()) {
        return false;
    }
    painter.drawImage(QPoint(x, y), converted);
    return true;
}
