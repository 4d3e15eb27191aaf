#pragma once
#include <set>
#include <vector>

#include <qpdf/QPDF.hh>

class InputCarry;

// An input's form as carried into the output: its fields that have widgets
// on the output's pages, copied, and what the input's /AcroForm gives them.
struct FormPart {
    std::vector<QPDFObjectHandle> roots;    // top-level fields, copied
    // The top-level fields of each further copy of a repeated page.
    std::vector<std::vector<QPDFObjectHandle>> repeatedRoots;
    std::vector<QPDFObjectHandle> members;  // every copied field and widget, for their /DA
    std::vector<QPDFObjectHandle> calculationOrder;
    QPDFObjectHandle appearance = QPDFObjectHandle::newNull();  // the form's /DA
    QPDFObjectHandle quadding = QPDFObjectHandle::newNull();    // the form's /Q
    QPDFObjectHandle resources = QPDFObjectHandle::newNull();   // the form's /DR, copied
    bool needAppearances = false;
};

// Carries the fields of an input's widgets. Before the widgets are copied,
// keepFieldsOf marks the fields above them, and the kids of those fields that
// are not kept map to null, so that copying a widget's /Parent copies only
// the part of the field tree the output uses.
class FormCarry {
public:
    explicit FormCarry(InputCarry& input);

    void keepFieldsOf(const std::vector<QPDFObjectHandle>& widgets);
    // Copies the annotations of a repeated page again (see
    // ForeignCopier::copyAgain), with the fields above its widgets, so that
    // this copy of the page has fields of its own.
    std::vector<QPDFObjectHandle> copyAgain(const std::vector<QPDFObjectHandle>& annotations);
    FormPart finish();

private:
    InputCarry& input_;
    QPDFObjectHandle form_;
    std::vector<QPDFObjectHandle> kept_;  // widgets and the fields above them
    std::set<QPDFObjGen> keptSet_;
    std::vector<QPDFObjectHandle> roots_;  // in the input
    std::vector<std::vector<QPDFObjectHandle>> repeatedRoots_;  // copies made for repeated pages
    std::vector<QPDFObjectHandle> extraMembers_;
};

// Writes the output's /AcroForm from the inputs' parts, in input order.
// Top-level fields whose name an earlier input (or an earlier copy of a
// repeated page) used are renamed ("name", "name+1", "name+2"), so that
// fields of different files or copies do not share a value; fonts
// of the form resources that clash by name are renamed in the fields' /DA.
void writeForm(QPDF& output, std::vector<FormPart>& parts);
