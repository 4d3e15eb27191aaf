#include "settings/translations.h"

#include <QDebug>
#include <QWidget>

#include "settings/widget_caption.h"

Translations::Translations(QWidget* owner, MessageHandler showMessage)
    : owner_(owner), showMessage_(std::move(showMessage)) {}

void Translations::load(const QString& fileName) {
    const std::vector<LanguageEntry> entries = texts_.load(fileName, [this](const QString& text) { showMessage(text); });
    for (const LanguageEntry& entry : entries) updateControl(entry.key);
}

QString Translations::text(const QString& key) const { return texts_.text(key); }

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
