#include "ui/message_text.h"

#include <QString>

#include "ui/built_in_english.h"

std::string textOf(const MessageText& text, const std::function<std::string(const std::string& key)>& translate,
                   std::initializer_list<std::string> arguments) {
    std::string translated = translate ? translate(text.key) : std::string();
    QString result = translated.empty() ? builtInEnglish(text.key) : QString::fromStdString(translated);
    // Replaced from the last, so that "%1" does not take the start of "%10".
    for (int number = static_cast<int>(arguments.size()); number >= 1; --number)
        result.replace(QStringLiteral("%") + QString::number(number),
                       QString::fromStdString(*(arguments.begin() + number - 1)));
    return result.toStdString();
}
