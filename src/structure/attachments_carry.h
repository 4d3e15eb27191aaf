#pragma once
#include <vector>

#include <qpdf/QPDF.hh>

#include "structure/name_trees.h"

class InputCarry;

// The input's document-level embedded files (/Names /EmbeddedFiles), copied.
NameTreeEntries collectAttachments(InputCarry& input);

// Writes every input's embedded files; a name an earlier input used gets
// a number ("data.csv+1").
void writeAttachments(QPDF& output, const std::vector<NameTreeEntries>& parts);
