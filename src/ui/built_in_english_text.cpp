#include "ui/built_in_english_text.h"

#include "settings/language_lines.h"

std::string builtInEnglishText(std::string_view key) {
    static const LanguageTable english = [] {
        LanguageTable table;
        table.add(readLanguageLines(builtInEnglishFile()));
        return table;
    }();
    return english.text(key);
}
