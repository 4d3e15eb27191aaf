#include "settings/language_texts.h"

#include <QFile>
#include <QFileInfo>

namespace {

QString keyOf(const QString& name) { return name.toCaseFolded(); }

}  // namespace

std::vector<LanguageEntry> LanguageTexts::load(const QString& fileName, const MessageHandler& showMessage) {
    const QFileInfo info(fileName);
    const QString fullName = info.absoluteFilePath();
    if (!info.exists() || info.isDir()) {
        showMessage(QStringLiteral("Unable to load language file ") + fullName);
        return {};
    }
    QFile file(fileName);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly)) bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        showMessage(QStringLiteral("Unable to load language file ") + fullName + QStringLiteral(": ") +
                    file.errorString());
        return {};
    }
    std::vector<LanguageEntry> entries = readLanguageEntries(bytes);
    for (const LanguageEntry& entry : entries) {
        if (entry.value.isEmpty())
            texts_.remove(keyOf(entry.key));
        else
            texts_.insert(keyOf(entry.key), entry.value);
    }
    return entries;
}

QString LanguageTexts::text(const QString& key) const { return texts_.value(keyOf(key)); }
