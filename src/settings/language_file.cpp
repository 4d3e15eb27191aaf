#include "settings/language_file.h"

#include <QStringDecoder>

namespace {

QString decode(const QByteArray& bytes) {
    struct Mark {
        const char* bytes;
        int size;
        QStringConverter::Encoding encoding;
    };
    static const Mark marks[] = {
        {"\xEF\xBB\xBF", 3, QStringConverter::Utf8},
        {"\xFF\xFE", 2, QStringConverter::Utf16LE},
        {"\xFE\xFF", 2, QStringConverter::Utf16BE},
    };
    for (const Mark& mark : marks) {
        if (bytes.startsWith(QByteArrayView(mark.bytes, mark.size))) {
            QStringDecoder decoder(mark.encoding, QStringConverter::Flag::Stateless);
            return decoder.decode(QByteArrayView(bytes).sliced(mark.size));
        }
    }
    return QString::fromUtf8(bytes);
}

bool isBlankOrControl(QChar c) { return c.unicode() <= u' '; }

void addEntry(const QString& line, std::vector<LanguageEntry>& entries) {
    if (line.isEmpty() || line.front() == u'[') return;
    const qsizetype separator = line.indexOf(u'=');
    if (separator < 0) return;
    QString key = trimBlanksAndControls(line.left(separator));
    if (key.isEmpty()) return;
    entries.push_back({std::move(key), trimBlanksAndControls(line.mid(separator + 1))});
}

}  // namespace

QString trimBlanksAndControls(const QString& text) {
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && isBlankOrControl(text[first])) ++first;
    while (end > first && isBlankOrControl(text[end - 1])) --end;
    return text.mid(first, end - first);
}

std::vector<LanguageEntry> readLanguageEntries(const QByteArray& bytes) {
    const QString text = decode(bytes);
    std::vector<LanguageEntry> entries;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n') continue;
        addEntry(text.mid(start, i - start), entries);
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    addEntry(text.mid(start), entries);
    return entries;
}
