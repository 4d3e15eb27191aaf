#include "settings/language_texts.h"

#include <QFile>
#include <QFileInfo>

std::vector<LanguageEntry> LanguageTexts::load(const QString& fileName, const MessageHandler& showMessage) {
    const QFileInfo info(fileName);
    const QString fullName = info.absoluteFilePath();
    if (!info.exists() || info.isDir()) {
        showMessage(QString::fromLatin1(UnreadableLanguageFile) + fullName);
        return {};
    }
    QFile file(fileName);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly)) bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        showMessage(QString::fromLatin1(UnreadableLanguageFile) + fullName + QStringLiteral(": ") +
                    file.errorString());
        return {};
    }
    const std::vector<LanguageLine> lines = readLanguageLines(bytes);
    table_.add(lines);
    return languageEntriesOf(lines);
}

QString LanguageTexts::text(const QString& key) const { return QString::fromStdString(table_.text(key.toStdString())); }
