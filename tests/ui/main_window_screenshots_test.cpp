#include <gtest/gtest.h>

#include <QDir>
#include <QPixmap>
#include <QTabWidget>
#include <QTest>

#include "qt_application.h"
#include "settings/settings.h"
#include "support/scripted_dialogs.h"
#include "ui/main_window.h"

// Saves a picture of every tab of the main window, in English and in German,
// into the folder named by SPLIMERA_SCREENSHOTS (run under a display server to
// see real fonts).
TEST(MainWindowScreenshots, OnePicturePerTabAndLanguage) {
    const QString folder = qEnvironmentVariable("SPLIMERA_SCREENSHOTS");
    if (folder.isEmpty()) GTEST_SKIP() << "SPLIMERA_SCREENSHOTS names no folder";
    ensureQtApplication();
    QDir().mkpath(folder);
    const std::pair<const char*, const char*> languages[] = {{"English", "main"}, {"German", "german"}};
    const char* tabs[] = {"split", "merge", "mix", "about"};
    for (const auto& [language, prefix] : languages) {
        SCOPED_TRACE(language);
        Settings().setLanguage(language);
        ScriptedDialogs dialogs;
        TFormTest window(dialogs);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        for (int tab = 0; tab < window.PageControl1->count(); ++tab) {
            window.PageControl1->setCurrentIndex(tab);
            QTest::qWait(100);
            const QPixmap picture = window.grab();
            EXPECT_EQ(picture.size(), QSize(1100, 575));
            EXPECT_TRUE(picture.save(folder + "/" + prefix + "-" + tabs[tab] + ".png"));
        }
    }
    Settings().setLanguage("English");
}
