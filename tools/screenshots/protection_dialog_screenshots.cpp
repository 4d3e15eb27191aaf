#include <QCoreApplication>
#include <string>

#include "screenshots.h"
#include "settings/translations.h"
#include "support/scripted_dialogs.h"
#include "ui/settings_form.h"

namespace {

// The dialog with the texts of a language file beside the program.
void saveDialog(const QString& language, Protection settings, const QString& path) {
    Translations translations(nullptr);
    translations.load(QCoreApplication::applicationDirPath() + "/languages/" + language + ".ini");
    ScriptedDialogs dialogs;
    TsettingsForm form(
        settings,
        [&](const std::string& key) { return translations.text(QString::fromStdString(key)).toStdString(); },
        [](const std::string&, const std::string&) {}, dialogs, [](bool) {});
    saveScreenshot(form, path);
}

}  // namespace

void takeProtectionDialogScreenshots(const QString& folder) {
    saveDialog("English", {"secret", "/home/ann/Pictures/watermark.png", "", ""}, folder + "/protection-dialog.png");
    saveDialog("German", {"secret", "/home/ann/Bilder/wasserzeichen.png", "", ""},
               folder + "/german-protection-dialog.png");
}
