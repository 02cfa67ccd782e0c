#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QColor>
#include <QImage>

#include <initializer_list>

// Widgets need an application object; the test runner's main does not make one.
inline QApplication& EnsureApplication() {
    static int argc = 1;
    static char name[] = "tarnel_gui_tests";
    static char* argv[] = {name, nullptr};
    if (qApp == nullptr) {
        new QApplication(argc, argv);
    }
    return *qApp;
}

// As a fixture's first member: the application exists before any widget member is built.
struct SApplicationFirst {
    SApplicationFirst() { EnsureApplication(); }
};

// Colours compared by name (#rrggbb), which a failure shows.
inline void ExpectPixels(const QImage& image, QRgb expected, std::initializer_list<QPoint> at) {
    for (const QPoint& point : at) {
        EXPECT_EQ(QColor(image.pixel(point)).name().toStdString(),
                  QColor(expected).name().toStdString())
            << "pixel " << point.x() << "," << point.y();
    }
}
