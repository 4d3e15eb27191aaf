#pragma once
#include <QApplication>

// The one application object of the widget tests, made on first use.
inline QApplication& windowApplication() {
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance())) return *existing;
    static int argc = 1;
    static char name[] = "test_ui";
    static char* argv[] = {name, nullptr};
    // Left to the end of the process: destroying it among other statics crashes.
    static QApplication* application = new QApplication(argc, argv);
    return *application;
}
