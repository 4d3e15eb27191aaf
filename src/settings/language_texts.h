#pragma once
#include <QString>
#include <functional>
#include <vector>

#include "settings/language_file.h"
#include "settings/language_lines.h"

// The texts of the loaded language files by key, letter case ignored. Loading
// another file replaces the keys it defines and keeps all others, so a key
// the new language lacks keeps the text of the language before it
// (LanguageTable, language_lines.h); the window's files may be Qt resources.
class LanguageTexts {
public:
    using MessageHandler = std::function<void(const QString&)>;

    // Reads a language file (format: language_file.h) and stores or removes
    // the key of every entry; returns the entries in file order. A file that
    // is missing or unreadable is reported through showMessage ("Unable to
    // load language file " and its full name) and loads nothing.
    std::vector<LanguageEntry> load(const QString& fileName, const MessageHandler& showMessage);

    // The text stored under the key (letter case ignored), or "".
    QString text(const QString& key) const;

private:
    LanguageTable table_;
};
