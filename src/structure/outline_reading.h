#pragma once
#include <vector>

#include <qpdf/QPDFObjectHandle.hh>

class StructureSource;

// One outline item (bookmark) of an input.
struct OutlineItem {
    QPDFObjectHandle item;
    int parent = -1;           // its parent's place in the list, -1 at the top
    int page = -1;             // the 0-based input page it goes to, or -1
    bool otherAction = false;  // it does something else than going to a page of the input
};

// The input's outline items in document order (a parent before its
// children), each once whatever loops the /First and /Next links make, with
// their targets; read once per input and kept with it.
const std::vector<OutlineItem>& outlineOf(StructureSource& source);
