#pragma once
#include <string>

class QLineEdit;

// A file name is bytes, and not every name is UTF-8, but a line edit holds
// Unicode text: a name such as caf\xe9.pdf shows with a replacement
// character. The field keeps the bytes it was given and gives them back while
// its text stays as shown; once the user edits it, its text is read as UTF-8.
void setFieldBytes(QLineEdit* field, const std::string& bytes);
std::string fieldBytes(const QLineEdit* field);
