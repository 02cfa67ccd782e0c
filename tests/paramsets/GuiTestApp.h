#pragma once

#include <QApplication>

// Widgets need an application object; the test runner's main does not make one.
inline void EnsureApplication() {
    static int argc = 1;
    static char name[] = "paramsets_gui_tests";
    static char* argv[] = {name, nullptr};
    if (qApp == nullptr) {
        new QApplication(argc, argv);
    }
}

// As a fixture's first member: the application exists before any widget member is built.
struct SApplicationFirst {
    SApplicationFirst() { EnsureApplication(); }
};
