#include "ui/built_in_english.h"

#include "ui/built_in_english_text.h"

QString builtInEnglish(const char* key) { return QString::fromStdString(builtInEnglishText(key)); }
