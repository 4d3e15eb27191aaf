#pragma once
#include <QByteArray>
#include <QString>
#include <vector>

// One "key = value" line of a language file. An empty value means: forget
// the key.
struct LanguageEntry {
    QString key;
    QString value;
};

// The entries of a language file, in file order. The bytes are UTF-8 unless a
// byte-order mark says UTF-8, UTF-16 LE or UTF-16 BE; lines end with CR LF, LF
// or CR. Empty lines, lines starting with "[" (section headers), lines without
// "=" and lines with nothing before the "=" give no entry. A line is split at
// its first "="; key and value lose their leading and trailing blanks and
// control characters. There is no comment or escape syntax.
std::vector<LanguageEntry> readLanguageEntries(const QByteArray& bytes);

// The text without leading and trailing characters up to and including the blank.
QString trimBlanksAndControls(const QString& text);
