#pragma once
#include <utility>
#include <vector>

#include <qpdf/QPDF.hh>

#include "structure/annotations_carry.h"

class InputCarry;

// Objects of the output and the number each gets as a key into the parent tree.
using KeyList = std::vector<std::pair<QPDFObjectHandle, long long>>;

// The logical structure (tags) one input gives an output.
struct TaggedStructure {
    QPDFObjectHandle root = QPDFObjectHandle::newNull();      // the new /StructTreeRoot
    QPDFObjectHandle markInfo = QPDFObjectHandle::newNull();  // the input's /MarkInfo
    QPDFObjectHandle language = QPDFObjectHandle::newNull();  // the input's /Lang
    // The /StructParents each output page gets (-1: none, for a repeated page).
    KeyList pageKeys;
    // The /StructParents each form XObject the output's pages draw gets
    // (its stream dictionary; -1: none).
    KeyList formKeys;
    // The /StructParent each carried annotation (or form XObject that is an element's content) gets.
    KeyList annotationKeys;
    std::vector<QPDFObjectHandle> elements;  // every element copied
    bool untagged = false;                   // the input has no structure tree at all
};

// The input's structure elements with content on the output's pages (and the
// elements above them), /Pg pointing at the output's pages, /Stm at PDFium's
// copies of the form XObjects they draw, marked content of other pages (or of
// forms not found in the output) and references to annotations not carried
// left out; a new /ParentTree numbered from 0 for the output's pages, the
// forms they draw and carried annotations.
// A page that occurs again keeps its content unmarked. No tree when the input
// has no /StructTreeRoot, nor (only keys of -1, so that the keys PDFium
// copied go) when none of its elements has content in the output.
TaggedStructure collectTaggedStructure(InputCarry& input, const PageAnnotations& annotations);

// Writes /StructTreeRoot with /MarkInfo, and the pages' /StructParents and
// annotations' /StructParent. The tree of one input is written as it is; the
// trees of several go under one /Document element, a /Part for each input
// (with its /Lang where the inputs' languages differ), their parent trees
// numbered on into one, and names of their role and class maps that clash
// renamed. When there is no tree, or an input has none (a reader relying on
// the tree would miss its pages), takes /StructParents off the pages (and the
// keys off forms and annotations) so that nothing claims a structure the
// output lacks.
void writeTaggedStructure(QPDF& output, const std::vector<QPDFObjectHandle>& pages,
                          std::vector<TaggedStructure>& parts);
