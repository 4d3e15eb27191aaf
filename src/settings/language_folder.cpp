#include "settings/language_folder.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <algorithm>

#include "settings/language_file.h"

namespace {

// The file's "LanguageName" entry (the last one, letter case ignored), or "".
QString ownNameIn(const QString& file) {
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly)) return QString();
    QString name;
    for (const LanguageEntry& entry : readLanguageEntries(input.readAll()))
        if (entry.key.compare(QLatin1String("LanguageName"), Qt::CaseInsensitive) == 0) name = entry.value;
    return name;
}

}  // namespace

QStringList availableLanguages(const QString& folder) {
    QStringList names;
    // Case-sensitive, so that every name offered finds its file through
    // languageFile() on a case-sensitive file system too.
    const QStringList files = QDir(folder).entryList({QStringLiteral("*.ini")},
                                                     QDir::Files | QDir::NoDotAndDotDot | QDir::CaseSensitive,
                                                     QDir::Unsorted);
    for (const QString& file : files) names << file.section(QLatin1Char('.'), 0, 0);
    return names;
}

QString languageFile(const QString& folder, const QString& name) {
    return QDir(folder).filePath(name + QStringLiteral(".ini"));
}

QList<OfferedLanguage> offeredLanguages(const QString& folder) {
    QList<OfferedLanguage> languages;
    for (const QString& name : availableLanguages(folder)) {
        const QString ownName = ownNameIn(languageFile(folder, name));
        languages.append({name, ownName.isEmpty() ? name : ownName});
    }
    // One fixed collation, whatever the desktop's language: Latin letters with
    // their accents together, then the other scripts.
    QCollator collator{QLocale(QLocale::English)};
    std::stable_sort(languages.begin(), languages.end(), [&collator](const OfferedLanguage& a, const OfferedLanguage& b) {
        const int order = collator.compare(a.ownName, b.ownName);
        return order != 0 ? order < 0 : a.name < b.name;
    });
    return languages;
}
