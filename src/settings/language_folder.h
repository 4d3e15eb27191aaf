#pragma once
#include <QList>
#include <QString>
#include <QStringList>

// The languages offered in a folder of language files: for every visible
// "*.ini" file, in the order the file system lists them, its name up to the
// first "." ("pt.BR.ini" is offered as "pt"). The extension must be written
// ".ini" in lower case. Folders, hidden and system files are left out; a
// missing folder offers nothing.
QStringList availableLanguages(const QString& folder);

// The language file of a language in that folder: folder + "/" + name + ".ini".
QString languageFile(const QString& folder, const QString& name);

// A language as the selector offers it: the name of its file and the name the
// language calls itself (the file's "LanguageName", or the file's name when
// it has none).
struct OfferedLanguage {
    QString name;
    QString ownName;
};

// The languages of availableLanguages(), in alphabetical order of their own
// names ("Deutsch", "English", "Français", ..., "日本語").
QList<OfferedLanguage> offeredLanguages(const QString& folder);
