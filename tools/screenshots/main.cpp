// Takes the screenshots of the documentation: every tab of the main window in
// English, German, Japanese and Arabic, the protection dialog in English and
// German, the window narrow and wide, a job in progress, and the panels of
// pages. scripts/screenshots.sh runs
// it under Xvfb, where the fonts are those of a desktop.
// Usage: splimera_screenshots FOLDER
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <exception>
#include <iostream>
#include <stdexcept>

#include "screenshots.h"

void saveScreenshot(QWidget& widget, const QString& path) {
    widget.show();
    if (!QTest::qWaitForWindowExposed(&widget))
        throw std::runtime_error(path.toStdString() + ": the window to picture was never shown");
    QTest::qWait(300);  // let the window draw completely
    if (!widget.grab().save(path)) throw std::runtime_error(path.toStdString() + ": cannot be written");
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "Usage: " << argv[0] << " FOLDER\n";
        return 2;
    }
    // The window keeps its language in the user's settings: give it settings of its own.
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    QApplication application(argc, argv);
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    try {
        if (!QDir().mkpath(folder)) throw std::runtime_error(folder.toStdString() + ": cannot be made");
        takeMainWindowScreenshots(folder);
        takeProtectionDialogScreenshots(folder);
        takePageStripScreenshots(folder);
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
