#include "settings/language_folder.h"

#include <QDir>

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
