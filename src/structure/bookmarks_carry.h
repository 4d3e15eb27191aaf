#pragma once
#include <string>
#include <vector>

#include <qpdf/QPDF.hh>

class InputCarry;

// One bookmark made for the output, in a list in document order where each
// entry names its parent's place in the list (-1 at the top). An entry it
// lacks is an uninitialized handle: an outline may hold a hundred thousand
// bookmarks, and every null or empty object made for them costs memory.
struct Bookmark {
    int parent = -1;
    QPDFObjectHandle title;                // an empty title when it has none
    QPDFObjectHandle color, style;         // /C and /F
    QPDFObjectHandle destination, action;  // /Dest, /A
    bool open = false;
};
using Bookmarks = std::vector<Bookmark>;

// The input's bookmarks whose target page is in the output, pointing at its
// first copy with the same view, and those without a target in the output
// that have such entries beneath them (they keep no target). Entries that do
// something other than going to a page of the input (a web address, a named
// action) are kept.
Bookmarks collectBookmarks(InputCarry& input);

// One entry titled title, going to page, with the given bookmarks beneath it.
Bookmarks bookmarksUnderFileEntry(const std::string& title, QPDFObjectHandle page, Bookmarks beneath);

// Appends more bookmarks at the top level of list.
void appendBookmarks(Bookmarks& list, Bookmarks more);

// Writes the catalog's /Outlines; nothing when the list is empty.
void writeBookmarks(QPDF& output, const Bookmarks& bookmarks);
