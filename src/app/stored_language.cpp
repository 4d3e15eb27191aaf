#include "app/stored_language.h"

#include <QCoreApplication>
#include <QFile>
#include <iostream>
#include <memory>

#include "settings/language_folder.h"
#include "settings/language_texts.h"
#include "settings/settings.h"

namespace {

std::function<std::string(const std::string& key)> languageTexts(const QString& language) {
    auto texts = std::make_shared<LanguageTexts>();
    texts->load(languageFile(QCoreApplication::applicationDirPath() + "/languages", language),
                [](const QString& message) { std::cerr << message.toStdString() << '\n'; });
    return [texts](const std::string& key) { return texts->text(QString::fromStdString(key)).toStdString(); };
}

}  // namespace

std::function<std::string(const std::string& key)> storedLanguageTexts() {
    const QString folder = QCoreApplication::applicationDirPath() + "/languages";
    const QString language = QString::fromStdString(Settings().language());
    if (language.isEmpty() || !QFile::exists(languageFile(folder, language))) return englishTexts();
    return languageTexts(language);
}

std::function<std::string(const std::string& key)> englishTexts() { return languageTexts(QStringLiteral("English")); }
