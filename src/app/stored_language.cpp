#include "app/stored_language.h"

#include <QCoreApplication>
#include <QFile>
#include <iostream>
#include <memory>
#include <mutex>

#include "settings/language_folder.h"
#include "settings/language_texts.h"
#include "settings/settings.h"

namespace {

// The file is read when the first text is asked for, so that a job that
// prints none of them (a merge that succeeds) does not read it at all.
struct LazyTexts {
    QString fileName;
    std::once_flag loaded;
    LanguageTexts texts;
};

std::function<std::string(const std::string& key)> languageTexts(const QString& language) {
    auto lazy = std::make_shared<LazyTexts>();
    lazy->fileName = languageFile(QCoreApplication::applicationDirPath() + "/languages", language);
    return [lazy](const std::string& key) {
        std::call_once(lazy->loaded, [&] {
            lazy->texts.load(lazy->fileName, [](const QString& message) { std::cerr << message.toStdString() << '\n'; });
        });
        return lazy->texts.text(QString::fromStdString(key)).toStdString();
    };
}

}  // namespace

std::function<std::string(const std::string& key)> storedLanguageTexts() {
    const QString folder = QCoreApplication::applicationDirPath() + "/languages";
    const QString language = QString::fromStdString(Settings().language());
    if (language.isEmpty() || !QFile::exists(languageFile(folder, language))) return englishTexts();
    return languageTexts(language);
}

std::function<std::string(const std::string& key)> englishTexts() { return languageTexts(QStringLiteral("English")); }
