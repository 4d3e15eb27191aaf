#include <QCoreApplication>
#include <string>

#include "screenshots.h"
#include "settings/app_languages.h"
#include "support/scripted_dialogs.h"
#include "ui/settings_form.h"

namespace {

// The dialog with the texts of a language file beside the program.
void saveDialog(const QString& language, ProtectionSettings settings, const QString& path) {
    TAppLanguages translations(nullptr);
    translations.LoadTranslations(QCoreApplication::applicationDirPath() + "/languages/" + language + ".ini");
    ScriptedDialogs dialogs;
    TsettingsForm form(
        settings,
        [&](const std::string& key) { return translations.getTranslation(QString::fromStdString(key)).toStdString(); },
        [](const std::string&, const std::string&) {}, dialogs, [](bool) {});
    saveScreenshot(form, path);
}

}  // namespace

void takeProtectionDialogScreenshots(const QString& folder) {
    saveDialog("English", {"secret", "/home/ann/Pictures/watermark.png", "", ""}, folder + "/protection-dialog.png");
    saveDialog("German", {"secret", "/home/ann/Bilder/wasserzeichen.png", "", ""},
               folder + "/german-protection-dialog.png");
}
