#pragma once
#include <functional>
#include <string>

// The texts of the language the user chose in the window (English when none
// is stored or its file is missing), for the forms that run without the
// window. The language files are in the folder "languages" beside the
// program.
std::function<std::string(const std::string& key)> storedLanguageTexts();

// The English texts, for the forms whose every other message is English: the
// job commands, and the silent switches where no display shows the window's
// dialogs.
std::function<std::string(const std::string& key)> englishTexts();
