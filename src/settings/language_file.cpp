#include "settings/language_file.h"

#include <QStringDecoder>

namespace {

// The text of UTF-8 bytes as they are: QString::fromStdString drops a byte
// order mark at their start, which would bare what follows it.
QString textOf(std::string_view bytes) {
    QStringDecoder decoder(QStringConverter::Utf8,
                           QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

}  // namespace

QString trimBlanksAndControls(const QString& text) {
    const std::string bytes = text.toStdString();
    return textOf(trimmedOfBlanksAndControls(bytes));
}

std::vector<LanguageLine> readLanguageLines(const QByteArray& bytes) {
    return readLanguageLines(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

std::vector<LanguageEntry> languageEntriesOf(const std::vector<LanguageLine>& lines) {
    std::vector<LanguageEntry> entries;
    for (const LanguageLine& line : lines) entries.push_back({textOf(line.key), textOf(line.value)});
    return entries;
}

std::vector<LanguageEntry> readLanguageEntries(const QByteArray& bytes) { return languageEntriesOf(readLanguageLines(bytes)); }
