#include "app/stored_language.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <mutex>

#include "base/platform_library.h"
#include "settings/language_lines.h"
#include "settings/setting_names.h"
#include "settings/stored_values.h"

namespace {

std::string languageFileIn(const std::string& language) { return programFolder() + "languages/" + language + ".ini"; }

// The file is read when the first text is asked for, so that a job that
// prints none of them (a merge that succeeds) does not read it at all.
struct LazyTexts {
    std::string fileName;
    std::once_flag loaded;
    LanguageTable texts;
};

void load(LazyTexts& lazy) {
    std::string bytes, problem;
    if (readLanguageFileBytes(lazy.fileName, bytes, problem)) {
        lazy.texts.add(readLanguageLines(bytes));
    } else {
        std::error_code error;
        const std::filesystem::path fullName = std::filesystem::absolute(lazy.fileName, error);
        std::cerr << UnreadableLanguageFile << fullName.string() << ": " << problem << '\n';
    }
}

std::function<std::string(const std::string& key)> languageTexts(const std::string& language) {
    auto lazy = std::make_shared<LazyTexts>();
    lazy->fileName = languageFileIn(language);
    return [lazy](const std::string& key) {
        std::call_once(lazy->loaded, [&] { load(*lazy); });
        return lazy->texts.text(key);
    };
}

}  // namespace

std::function<std::string(const std::string& key)> storedLanguageTexts() {
    const std::string language = storedValuesReader()(settingName::Language);
    std::error_code error;
    if (language.empty() || !std::filesystem::exists(languageFileIn(language), error)) return englishTexts();
    return languageTexts(language);
}

std::function<std::string(const std::string& key)> englishTexts() { return languageTexts("English"); }
