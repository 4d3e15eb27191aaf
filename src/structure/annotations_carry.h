#pragma once
#include <cstddef>
#include <map>
#include <vector>

#include <qpdf/QPDF.hh>

#include "structure/form_carry.h"

class InputCarry;

// A page's annotations past this many are left out, with a note: no real page
// holds so many, and each costs memory in every copy of the page.
constexpr std::size_t MostPageAnnotations = 10000;

// The annotations each output page gets in place of those PDFium copied (by
// output position).
using PageAnnotations = std::map<std::size_t, std::vector<QPDFObjectHandle>>;

// Copies the annotations of the input's pages for their copies in the
// output: each copy of a page gets its own annotations, /P names that page,
// /Popup and /Parent lead to the popup and field copied with them, links and
// actions go to the output's pages, and a link whose target the output does
// not hold is left out. Widgets bring their fields (see FormCarry). Only
// pages to which PDFium copied annotations are read.
void carryAnnotations(InputCarry& input, PageAnnotations& annotations, FormPart& form);

// Shortens every /Annots array of pdf's pages to MostPageAnnotations;
// false when none is longer.
bool trimPageAnnotations(QPDF& pdf);

// Puts the carried annotations on the output's pages.
void writeAnnotations(const std::vector<QPDFObjectHandle>& pages, const PageAnnotations& annotations);
