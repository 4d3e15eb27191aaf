#include "app/job_command_context.h"

#include <QCoreApplication>
#include <QFile>
#include <iostream>
#include <memory>

#include "settings/language_folder.h"
#include "settings/settings.h"
#include "settings/translations.h"

JobCommandContext programJobCommandContext() {
    auto translations = std::make_shared<Translations>(nullptr, [](const QString& message) {
        std::cerr << message.toStdString() << '\n';
    });
    const QString folder = QCoreApplication::applicationDirPath() + "/languages";
    const Settings settings;
    QString language = QString::fromStdString(settings.language());
    if (language.isEmpty() || !QFile::exists(languageFile(folder, language))) language = QStringLiteral("English");
    translations->load(languageFile(folder, language));
    return {std::cout, std::cerr,
            [translations](const std::string& key) {
                return translations->text(QString::fromStdString(key)).toStdString();
            },
            settings.protection()};
}
