#pragma once

class QLineEdit;

// Shows that a field holds what a job cannot use: a red frame, the focus and
// its text selected. The frame goes once the field is edited.
void markWrongField(QLineEdit* field);
// Whether the field carries that frame.
bool isMarkedWrong(const QLineEdit* field);
