#pragma once
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
