#include "app/job_command_context.h"

#include <QCoreApplication>
#include <QFile>
#include <iostream>
#include <memory>

#include "settings/app_languages.h"
#include "settings/language_folder.h"
#include "settings/settings_store.h"

JobCommandContext programJobCommandContext() {
    auto languages = std::make_shared<TAppLanguages>(nullptr, [](const QString& message) {
        std::cerr << message.toStdString() << '\n';
    });
    const QString folder = QCoreApplication::applicationDirPath() + "/languages";
    QString language = readSetting(SettingLanguage);
    if (language.isEmpty() || !QFile::exists(languageFile(folder, language))) language = QStringLiteral("English");
    languages->LoadTranslations(languageFile(folder, language));
    return {std::cout, std::cerr,
            [languages](const std::string& key) {
                return languages->getTranslation(QString::fromStdString(key)).toStdString();
            },
            Protection{readSetting(SettingOutputPdfPassword).toStdString(), readSetting(SettingWatermarkPath).toStdString(),
                       readSetting(SettingWatermarkX).toStdString(), readSetting(SettingWatermarkY).toStdString()}};
}
