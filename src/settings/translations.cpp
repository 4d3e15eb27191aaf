#include "settings/translations.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QWidget>

#include "settings/language_file.h"
#include "settings/widget_caption.h"

namespace {

QString keyOf(const QString& name) { return name.toCaseFolded(); }

}  // namespace

Translations::Translations(QWidget* owner, MessageHandler showMessage)
    : owner_(owner), showMessage_(std::move(showMessage)) {}

void Translations::load(const QString& fileName) {
    const QFileInfo info(fileName);
    const QString fullName = info.absoluteFilePath();
    if (!info.exists() || info.isDir()) {
        showMessage(QStringLiteral("Unable to load language file ") + fullName);
        return;
    }
    QFile file(fileName);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly)) bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        showMessage(QStringLiteral("Unable to load language file ") + fullName + QStringLiteral(": ") +
                    file.errorString());
        return;
    }
    for (const LanguageEntry& entry : readLanguageEntries(bytes)) {
        if (entry.value.isEmpty())
            texts_.remove(keyOf(entry.key));
        else
            texts_.insert(keyOf(entry.key), entry.value);
        updateControl(entry.key);
    }
}

QString Translations::text(const QString& key) const { return texts_.value(keyOf(key)); }

void Translations::updateControl(const QString& name) {
    if (QObject* component = findComponent(owner_, name))
        setCaption(component, text(name));
}

QObject* Translations::findComponent(QObject* owner, const QString& name) {
    if (owner == nullptr || name.isEmpty()) return nullptr;
    const QList<QObject*> descendants = owner->findChildren<QObject*>();
    for (QObject* component : descendants)
        if (component->objectName().compare(name, Qt::CaseInsensitive) == 0) return component;
    return nullptr;
}

void Translations::showMessage(const QString& text) const {
    if (showMessage_)
        showMessage_(text);
    else
        qWarning().noquote() << text;
}
