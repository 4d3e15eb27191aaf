#include "finishing/finisher.h"

void NoFinishing::writeFinished(const NewOutput& output, std::FILE* file) { output.pdf.writeTo(file); }
