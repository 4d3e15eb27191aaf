#pragma once
#include <cstddef>
#include <vector>

#include <qpdf/QPDF.hh>

#include "structure/structure_sources.h"
#include "structure/structure_request.h"

struct StructureResult {
    // Inputs with pages in the output whose structure libqpdf could not
    // read; their pages stay as PDFium copied them.
    std::vector<std::size_t> unreadInputs;
    // What was left out of the inputs that were read, where a tree of theirs
    // is absurd.
    std::vector<StructureNote> notes;
};

// Carries the document structure of the request's inputs into output, the
// document PDFium wrote (its page i is the copy of request.pages[i]):
// bookmarks, links and named destinations, forms, page labels, optional
// content, tagged structure, document information, viewer preferences and
// attachments. Each input is opened once through sources, which the job keeps
// between its outputs; one libqpdf cannot read as PDFium does is read from
// PDFium's copy of it (StructureInput::repairedCopy). An input that cannot be
// read is left out whole, never in part.
StructureResult carryStructure(QPDF& output, const StructureRequest& request, StructureSources& sources);
