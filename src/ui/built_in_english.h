#pragma once
#include <QString>

// The English texts of languages/English.ini, built into the program from
// that file: the captions the controls have before a language file is loaded
// (or when none is found), and the text of a message the loaded language
// lacks. The file beside the program, which users may edit, is loaded as any
// other language.
QString builtInEnglish(const char* key);
