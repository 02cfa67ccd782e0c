#pragma once

#include <QApplication>

// Widgets need an application object; the test runner's main does not make one.
inline QApplication& EnsureApplication() {
    static int argc = 1;
    static char name[] = "app_gui_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* application = qApp != nullptr ? nullptr : new QApplication(argc, argv);
    (void)application;
    return *qApp;
}
