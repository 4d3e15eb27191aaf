#include "settings/translations.h"

#include <QComboBox>
#include <QDebug>
#include <QListWidget>
#include <QMetaProperty>
#include <QWidget>

#include "base/whole_number.h"
#include "settings/widget_caption.h"

namespace {

bool sameName(const QString& a, const char* b) { return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0; }

// The property the component declares under that name, letter case ignored.
QMetaProperty declaredProperty(QObject* component, const QString& name) {
    const QMetaObject* meta = component->metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (property.isWritable() && name.compare(QLatin1String(property.name()), Qt::CaseInsensitive) == 0)
            return property;
    }
    return {};
}

}  // namespace

Translations::Translations(QWidget* owner, MessageHandler showMessage)
    : owner_(owner), separator_(QStringLiteral(",")), showMessage_(std::move(showMessage)) {}

void Translations::load(const QString& fileName) {
    const std::vector<LanguageEntry> entries = texts_.load(fileName, [this](const QString& text) { showMessage(text); });
    for (const LanguageEntry& entry : entries) updateControl(entry.key);
}

QString Translations::text(const QString& key) const { return texts_.text(key); }

void Translations::updateControl(const QString& name) {
    if (QObject* component = findComponent(owner_, name))
        setProperty(component, QStringLiteral("Caption"), text(name));
}

QObject* Translations::findComponent(QObject* owner, const QString& name) {
    if (owner == nullptr || name.isEmpty()) return nullptr;
    const QList<QObject*> descendants = owner->findChildren<QObject*>();
    for (QObject* component : descendants)
        if (component->objectName().compare(name, Qt::CaseInsensitive) == 0) return component;
    return nullptr;
}

void Translations::setProperty(QObject* component, const QString& property, const QString& value) {
    if (component == nullptr) return;
    if (sameName(property, "Caption")) {
        setCaption(component, value);
        return;
    }
    const QMetaProperty declared = declaredProperty(component, property);
    if (!declared.isValid()) return;
    if (declared.typeId() == QMetaType::Int) {
        bool ok = false;
        const int number = value.toInt(&ok);
        if (!ok) throw ConvertError("'" + value.toStdString() + "' is not a valid integer value");
        declared.write(component, number);
    } else {
        declared.write(component, value);
    }
}

void Translations::setStringsProperty(QObject* component, const QString& property, const QString& values) {
    if (component == nullptr) return;
    const QStringList items = splitStrings(values, separator_);
    if (sameName(property, "Items")) {
        if (auto* combo = qobject_cast<QComboBox*>(component)) {
            combo->clear();
            combo->addItems(items);
            return;
        }
        if (auto* list = qobject_cast<QListWidget*>(component)) {
            list->clear();
            list->addItems(items);
            return;
        }
    }
    const QMetaProperty declared = declaredProperty(component, property);
    if (declared.isValid() && declared.typeId() == QMetaType::QStringList) declared.write(component, items);
}

QStringList Translations::splitStrings(const QString& values, const QString& separator) {
    QStringList items;
    qsizetype start = 0;
    if (!separator.isEmpty()) {
        for (qsizetype at = values.indexOf(separator); at >= 0; at = values.indexOf(separator, start)) {
            items << trimBlanksAndControls(values.mid(start, at - start));
            start = at + separator.size();
        }
    }
    const QString rest = trimBlanksAndControls(values.mid(start));
    if (!rest.isEmpty()) items << rest;
    return items;
}

void Translations::showMessage(const QString& text) const {
    if (showMessage_)
        showMessage_(text);
    else
        qWarning().noquote() << text;
}
