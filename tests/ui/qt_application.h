#pragma once
#include <QApplication>

// Widgets need one application object for the whole test program; the
// first test that needs it makes it.
inline void ensureQtApplication() {
    if (QApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "test_ui";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}
