#pragma once
#include <QByteArray>
#include <QString>
#include <vector>

#include "settings/language_lines.h"

// One "key = value" line of a language file. An empty value means: forget
// the key.
struct LanguageEntry {
    QString key;
    QString value;
};

// The entries of a language file, in file order, as readLanguageLines reads
// them (language_lines.h), for the window.
std::vector<LanguageEntry> readLanguageEntries(const QByteArray& bytes);
std::vector<LanguageLine> readLanguageLines(const QByteArray& bytes);
std::vector<LanguageEntry> languageEntriesOf(const std::vector<LanguageLine>& lines);

// The text without leading and trailing characters up to and including the blank.
QString trimBlanksAndControls(const QString& text);
