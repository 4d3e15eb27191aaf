#include <gtest/gtest.h>

#include <QDir>
#include <QPixmap>
#include <QTabWidget>
#include <QTest>

#include "support/scripted_dialogs.h"
#include "ui/main_window.h"
#include "qt_application.h"

// Saves a picture of every tab of the main window into the folder named by
// SPLIMERA_SCREENSHOTS (run under a display server to see real fonts).
TEST(MainWindowScreenshots, OnePicturePerTab) {
    const QString folder = qEnvironmentVariable("SPLIMERA_SCREENSHOTS");
    if (folder.isEmpty()) GTEST_SKIP() << "SPLIMERA_SCREENSHOTS names no folder";
    ensureQtApplication();
    ScriptedDialogs dialogs;
    TFormTest window(dialogs);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QDir().mkpath(folder);
    const char* names[] = {"main-split.png", "main-merge.png", "main-mix.png", "main-about.png"};
    for (int tab = 0; tab < window.PageControl1->count(); ++tab) {
        window.PageControl1->setCurrentIndex(tab);
        QTest::qWait(100);
        const QPixmap picture = window.grab();
        EXPECT_EQ(picture.size(), QSize(1100, 575));
        EXPECT_TRUE(picture.save(folder + "/" + names[tab]));
    }
}
