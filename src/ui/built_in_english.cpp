#include "ui/built_in_english.h"

#include <QDebug>

#include "settings/language_texts.h"

// The ui libraries are static: naming the resource keeps it in the program.
// Outside the unnamed namespace, as the name it declares must be global.
static void registerResource() { Q_INIT_RESOURCE(built_in_english); }

namespace {

const LanguageTexts& texts() {
    static const LanguageTexts loaded = [] {
        registerResource();
        LanguageTexts english;
        english.load(QStringLiteral(":/languages/English.ini"), [](const QString& message) { qWarning() << message; });
        return english;
    }();
    return loaded;
}

}  // namespace

QString builtInEnglish(const char* key) { return texts().text(QString::fromLatin1(key)); }
