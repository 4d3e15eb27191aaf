#pragma once
#include <utility>
#include <vector>

#include <qpdf/QPDF.hh>

#include "structure/structure_request.h"

class InputCarry;

// Page label entries for the output: 0-based output page and label
// dictionary, from that page on.
using PageLabels = std::vector<std::pair<long long, QPDFObjectHandle>>;

// The labels of the input's pages at their places in the output; none when
// the input has no /PageLabels.
PageLabels collectPageLabels(InputCarry& input);

// Writes /PageLabels when any input gave labels: pages of inputs without
// labels are numbered as in their file (1, 2, ... by their page there).
// Entries that only continue the numbering before them are left out.
void writePageLabels(QPDF& output, const StructureRequest& request, const std::vector<PageLabels>& labelled);
