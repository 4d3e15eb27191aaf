#include "app/stored_language.h"

#include <QCoreApplication>
#include <QFile>
#include <iostream>
#include <memory>

#include "settings/language_folder.h"
#include "settings/settings.h"
#include "settings/language_texts.h"

std::function<std::string(const std::string& key)> storedLanguageTexts() {
    auto texts = std::make_shared<LanguageTexts>();
    const QString folder = QCoreApplication::applicationDirPath() + "/languages";
    QString language = QString::fromStdString(Settings().language());
    if (language.isEmpty() || !QFile::exists(languageFile(folder, language))) language = QStringLiteral("English");
    texts->load(languageFile(folder, language),
                [](const QString& message) { std::cerr << message.toStdString() << '\n'; });
    return [texts](const std::string& key) { return texts->text(QString::fromStdString(key)).toStdString(); };
}
