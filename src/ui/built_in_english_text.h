#pragma once
#include <string>
#include <string_view>

// The English texts of languages/English.ini, built into the program from
// that file: the captions the controls have before a language file is loaded
// (or when none is found), and the text of a message the loaded language
// lacks. The file beside the program, which users may edit, is loaded as any
// other language.
std::string builtInEnglishText(std::string_view key);

// The bytes of languages/English.ini as built in.
std::string_view builtInEnglishFile();
