#pragma once
#include <map>
#include <utility>
#include <vector>

#include <qpdf/QPDF.hh>

class InputCarry;

// The form XObjects an input page draws (named in its /Resources /XObject,
// nested ones too) beside PDFium's copies of them on an output page, found
// under the same resource names. Worked out once per output page.
class FormCopies {
public:
    using Pairs = std::vector<std::pair<QPDFObjectHandle, QPDFObjectHandle>>;  // input form, its copy

    explicit FormCopies(InputCarry& input) : input_(input) {}

    // The forms of the page at an output position, each once, in the order met.
    const Pairs& drawnOn(std::size_t position);
    // The copy of an input form on the first output page made from a 0-based
    // input page; null when that page is not in the output or does not draw it.
    QPDFObjectHandle copyOf(int sourcePage, QPDFObjectHandle form);

private:
    struct PageForms {
        Pairs pairs;
        std::map<QPDFObjGen, QPDFObjectHandle> copies;
    };
    const PageForms& between(int sourcePage, QPDFObjectHandle outputPage);

    InputCarry& input_;
    std::map<QPDFObjGen, PageForms> pages_;  // by output page
};
