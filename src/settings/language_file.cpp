#include "settings/language_file.h"


QString trimBlanksAndControls(const QString& text) {
    return QString::fromStdString(std::string(trimmedOfBlanksAndControls(text.toStdString())));
}

std::vector<LanguageLine> readLanguageLines(const QByteArray& bytes) {
    return readLanguageLines(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

std::vector<LanguageEntry> languageEntriesOf(const std::vector<LanguageLine>& lines) {
    std::vector<LanguageEntry> entries;
    for (const LanguageLine& line : lines) entries.push_back({QString::fromStdString(line.key), QString::fromStdString(line.value)});
    return entries;
}

std::vector<LanguageEntry> readLanguageEntries(const QByteArray& bytes) { return languageEntriesOf(readLanguageLines(bytes)); }
