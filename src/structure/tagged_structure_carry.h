#pragma once
#include <utility>
#include <vector>

#include <qpdf/QPDF.hh>

#include "structure/annotations_carry.h"

class InputCarry;

// The logical structure (tags) of an output made from one input.
struct TaggedStructure {
    QPDFObjectHandle root = QPDFObjectHandle::newNull();      // the new /StructTreeRoot
    QPDFObjectHandle markInfo = QPDFObjectHandle::newNull();  // the input's /MarkInfo
    // The /StructParents each output page gets (-1: none, for a repeated page).
    std::vector<std::pair<QPDFObjectHandle, long long>> pageKeys;
};

// The input's structure elements with content on the output's pages (and the
// elements above them), /Pg pointing at the output's pages, marked content of
// other pages and references to annotations not carried left out; a new
// /ParentTree numbered from 0 for the output's pages and carried annotations.
// A page that occurs again keeps its content unmarked. Nothing when the input
// has no /StructTreeRoot or none of its elements has content in the output.
TaggedStructure collectTaggedStructure(InputCarry& input, const PageAnnotations& annotations);

// Writes /StructTreeRoot with /MarkInfo, and the pages' /StructParents; when
// there is no tree, takes /StructParents off the pages so that nothing claims
// a structure the output lacks.
void writeTaggedStructure(QPDF& output, const std::vector<QPDFObjectHandle>& pages, const TaggedStructure& tagged);
