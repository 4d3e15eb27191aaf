#include "ui/message_text.h"

#include "ui/built_in_english_text.h"

namespace {

void replaceAll(std::string& text, const std::string& placeholder, const std::string& replacement) {
    for (std::size_t at = text.find(placeholder); at != std::string::npos;
         at = text.find(placeholder, at + replacement.size()))
        text.replace(at, placeholder.size(), replacement);
}

}  // namespace

std::string textOf(const MessageText& text, const std::function<std::string(const std::string& key)>& translate,
                   std::initializer_list<std::string> arguments) {
    const std::string translated = translate ? translate(text.key) : std::string();
    std::string result = translated.empty() ? builtInEnglishText(text.key) : translated;
    // Replaced from the last, so that "%1" does not take the start of "%10".
    for (int number = static_cast<int>(arguments.size()); number >= 1; --number)
        replaceAll(result, "%" + std::to_string(number), *(arguments.begin() + number - 1));
    return result;
}
