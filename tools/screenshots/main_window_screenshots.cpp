#include <QTabWidget>
#include <utility>

#include "screenshots.h"
#include "settings/settings.h"
#include "support/scripted_dialogs.h"
#include "ui/main_window.h"

// A picture of every tab of the main window, in English and in German.
void takeMainWindowScreenshots(const QString& folder) {
    const std::pair<const char*, const char*> languages[] = {{"English", "main"}, {"German", "german"}};
    const char* tabs[] = {"split", "merge", "mix", "about"};
    for (const auto& [language, prefix] : languages) {
        Settings().setLanguage(language);
        ScriptedDialogs dialogs;
        TFormTest window(dialogs);
        for (int tab = 0; tab < window.PageControl1->count(); ++tab) {
            window.PageControl1->setCurrentIndex(tab);
            saveScreenshot(window, folder + "/" + prefix + "-" + tabs[tab] + ".png");
        }
    }
}
