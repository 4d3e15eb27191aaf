#pragma once
#include <QString>

// The built-in English text of a key (built_in_english_text.h), for the
// window's controls.
QString builtInEnglish(const char* key);
