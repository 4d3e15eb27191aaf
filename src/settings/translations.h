#pragma once
#include <QHash>
#include <QString>
#include <functional>

#include "settings/language_texts.h"

class QObject;
class QWidget;

// The loaded language: the texts of a language file by key, and the captions
// of the owner window's controls, set by control name as a file is loaded.
// Loading another file replaces the keys it defines and keeps all others, so
// a key the new language lacks keeps the text of the language before it.
class Translations {
public:
    using MessageHandler = std::function<void(const QString&)>;

    // `showMessage` shows the loader's messages (a missing file); without one
    // they go to the Qt warning log.
    explicit Translations(QWidget* owner, MessageHandler showMessage = {});

    // Reads a language file (format: language_file.h) and, for every entry in
    // file order, stores or removes its key and then updates the control of
    // that name. A file that is missing or unreadable is reported through the
    // message handler ("Unable to load language file " and its full name) and
    // loads nothing.
    void load(const QString& fileName);

    // The text stored under the key (letter case ignored), or "".
    QString text(const QString& key) const;

    // The first descendant of `owner` whose objectName equals `name`, letter
    // case ignored; null when there is none or `name` is empty.
    static QObject* findComponent(QObject* owner, const QString& name);

private:
    void showMessage(const QString& text) const;
    // Sets the caption of the owner's control called `name` to the text stored
    // under `name` ("" when there is none); does nothing without such a control.
    void updateControl(const QString& name);

    QWidget* owner_;
    LanguageTexts texts_;
    MessageHandler showMessage_;
};
