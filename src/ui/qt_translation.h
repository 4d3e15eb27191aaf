#pragma once
#include <QString>

// Gives Qt's own texts (the buttons of message boxes, the file dialogs) the
// language with this code ("de", "fr"), from the translations Qt ships; an
// empty code or one Qt has no translation for leaves them in English.
// Returns whether a translation was loaded.
bool useQtTranslation(const QString& languageCode);
