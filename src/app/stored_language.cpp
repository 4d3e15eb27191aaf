#include "app/stored_language.h"

#include <QCoreApplication>
#include <QFile>
#include <iostream>
#include <memory>

#include "settings/language_folder.h"
#include "settings/settings.h"
#include "settings/translations.h"

std::function<std::string(const std::string& key)> storedLanguageTexts() {
    auto translations = std::make_shared<Translations>(nullptr, [](const QString& message) {
        std::cerr << message.toStdString() << '\n';
    });
    const QString folder = QCoreApplication::applicationDirPath() + "/languages";
    QString language = QString::fromStdString(Settings().language());
    if (language.isEmpty() || !QFile::exists(languageFile(folder, language))) language = QStringLiteral("English");
    translations->load(languageFile(folder, language));
    return [translations](const std::string& key) { return translations->text(QString::fromStdString(key)).toStdString(); };
}
