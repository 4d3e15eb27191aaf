#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFNumberTreeObjectHelper.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include "job_runs.h"
#include "support/fixtures.h"
#include "support/recording_reporter.h"

namespace {

using fixtures::TempDir;
using Object = QPDFObjectHandle;

// Two pages, each with a square as marked content 0 of the page (a P
// element) and a form XObject /Fm1 drawing a square as marked content 0 of
// the form (a Figure element, through an MCR with /Stm). The parent tree
// numbers page i 2i and its form 2i+1. The first page's MCR takes its page
// from the element, the second one names it with /Pg. A second form /Fm2 is
// as a whole the content of an Artifact element (an OBJR, /StructParent 4+i). Without elements, the
// tree is left with an empty Document element, the keys and parent tree as
// they are.
void writeTaggedFormPdf(const std::string& path, bool withElements = true) {
    QPDF pdf;
    pdf.emptyPDF();
    QPDFPageDocumentHelper pages(pdf);
    Object root = pdf.makeIndirectObject(Object::parse("<< /Type /StructTreeRoot >>"));
    Object document = pdf.makeIndirectObject(Object::parse("<< /Type /StructElem /S /Document >>"));
    document.replaceKey("/P", root);
    Object kids = Object::newArray(), numbers = Object::newArray();
    std::vector<std::pair<int, Object>> wholeForms;
    for (int i = 0; i < 2; ++i) {
        Object form = Object::newStream(&pdf, "/Span << /MCID 0 >> BDC 0 0 1 rg 0 0 50 50 re f EMC\n");
        form.replaceDict(Object::parse("<< /Type /XObject /Subtype /Form /BBox [0 0 50 50] /Resources << >> >>"));
        form.getDict().replaceKey("/StructParents", Object::newInteger(2 * i + 1));
        Object page = pdf.makeIndirectObject(Object::parse("<< /Type /Page /MediaBox [0 0 200 200] >>"));
        page.replaceKey("/Resources", Object::parse("<< /XObject << >> >>"));
        page.getKey("/Resources").getKey("/XObject").replaceKey("/Fm1", form);
        Object whole = Object::newStream(&pdf, "0 1 0 rg 0 0 20 20 re f\n");
        whole.replaceDict(Object::parse("<< /Type /XObject /Subtype /Form /BBox [0 0 20 20] /Resources << >> >>"));
        whole.getDict().replaceKey("/StructParent", Object::newInteger(4 + i));
        page.getKey("/Resources").getKey("/XObject").replaceKey("/Fm2", whole);
        page.replaceKey("/Contents",
                        Object::newStream(&pdf, "/P << /MCID 0 >> BDC 0 g 10 150 20 20 re f EMC q 1 0 0 1 100 50 cm "
                                                "/Fm1 Do Q /Fm2 Do\n"));
        page.replaceKey("/StructParents", Object::newInteger(2 * i));
        pages.addPage(QPDFPageObjectHelper(page), false);

        Object paragraph = pdf.makeIndirectObject(Object::parse("<< /Type /StructElem /S /P /K 0 >>"));
        Object figure = pdf.makeIndirectObject(Object::parse("<< /Type /StructElem /S /Figure >>"));
        Object reference = Object::parse("<< /Type /MCR /MCID 0 >>");
        reference.replaceKey("/Stm", form);
        if (i == 1) reference.replaceKey("/Pg", page);
        figure.replaceKey("/K", reference);
        Object artifact = pdf.makeIndirectObject(Object::parse("<< /Type /StructElem /S /Figure >>"));
        artifact.replaceKey("/K", Object::parse("<< /Type /OBJR >>"));
        artifact.getKey("/K").replaceKey("/Obj", whole);
        for (Object element : {paragraph, figure, artifact}) {
            element.replaceKey("/P", document);
            element.replaceKey("/Pg", page);
            kids.appendItem(element);
        }
        for (auto [key, element] : {std::pair{2 * i, paragraph}, std::pair{2 * i + 1, figure}}) {
            numbers.appendItem(Object::newInteger(key));
            numbers.appendItem(Object::newArray({element}));
        }
        // Keys in order: 4 + i after the others of both pages.
        wholeForms.emplace_back(4 + i, artifact);
    }
    for (auto [key, element] : wholeForms) {
        numbers.appendItem(Object::newInteger(key));
        numbers.appendItem(element);
    }
    document.replaceKey("/K", withElements ? kids : Object::newArray());
    root.replaceKey("/K", document);
    root.replaceKey("/ParentTree", pdf.makeIndirectObject(Object::newDictionary()));
    root.getKey("/ParentTree").replaceKey("/Nums", numbers);
    root.replaceKey("/ParentTreeNextKey", Object::newInteger(6));
    pdf.getRoot().replaceKey("/StructTreeRoot", root);
    pdf.getRoot().replaceKey("/MarkInfo", Object::parse("<< /Marked true >>"));
    QPDFWriter(pdf, path.c_str()).write();
}

// How the marked content of an output resolves: the form MCRs that lead to
// a form drawn on their page, holding their MCID, whose parent tree entry
// names their element, and the OBJRs to a form drawn on their page whose
// /StructParent names their element; and every fault found, "" when none.
struct FormTags {
    int resolvedForms = 0;
    std::string faults;
};

std::string streamText(Object stream) {
    std::shared_ptr<Buffer> data = stream.getStreamData();
    return {reinterpret_cast<const char*>(data->getBuffer()), data->getSize()};
}

FormTags readFormTags(const std::string& path) {
    FormTags found;
    QPDF pdf;
    pdf.processFile(path.c_str());
    auto fault = [&found](const std::string& text) { found.faults += (found.faults.empty() ? "" : "; ") + text; };
    Object root = pdf.getRoot().getKey("/StructTreeRoot");
    if (!root.isDictionary()) return {0, "no structure tree"};
    QPDFNumberTreeObjectHelper parents(root.getKey("/ParentTree"), pdf);
    // The element the parent tree gives for marked content mcid of owner (a page or form).
    auto parentOf = [&parents](Object owner, int mcid) {
        Object key = owner.isStream() ? owner.getDict().getKey("/StructParents") : owner.getKey("/StructParents");
        Object entry;
        if (!key.isInteger() || !parents.findObject(key.getIntValue(), entry) || !entry.isArray() ||
            mcid >= entry.getArrayNItems())
            return Object::newNull();
        return entry.getArrayItem(mcid);
    };
    // The element the parent tree gives for a form that is an element's content as a whole.
    auto wholeFormParent = [&parents](Object form) {
        Object key = form.getDict().getKey("/StructParent"), entry;
        return key.isInteger() && parents.findObject(key.getIntValue(), entry) ? entry : Object::newNull();
    };
    std::set<QPDFObjGen> pages;
    for (Object page : pdf.getAllPages()) {
        pages.insert(page.getObjGen());
        Object element = parentOf(page, 0);
        if (page.hasKey("/StructParents") && !(element.isDictionary() && element.getKey("/Pg").isSameObjectAs(page)))
            fault("a page's /StructParents leads to an element of another page");
        for (auto& [name, form] : page.getKey("/Resources").getKey("/XObject").ditems()) {
            if (form.getDict().getKey("/StructParent").isInteger()) {
                Object owner = wholeFormParent(form);
                Object reference = owner.isDictionary() ? owner.getKey("/K") : Object::newNull();
                if (!reference.isDictionary() || !reference.getKey("/Obj").isSameObjectAs(form))
                    fault("a form's /StructParent leads to an element of other content");
            }
            if (!form.getDict().getKey("/StructParents").isInteger()) continue;
            Object element = parentOf(form, 0);
            Object reference = element.isDictionary() ? element.getKey("/K") : Object::newNull();
            if (!reference.isDictionary() || !reference.getKey("/Stm").isSameObjectAs(form))
                fault("a form's /StructParents leads to an element of other content");
        }
    }
    std::vector<Object> elements = {root};
    while (!elements.empty()) {
        Object element = elements.back();
        elements.pop_back();
        Object kids = element.getKey("/K");
        for (Object kid : kids.isArray() ? kids.getArrayAsVector() : std::vector{kids}) {
            if (kid.isDictionary() && !kid.hasKey("/Type")) elements.push_back(kid);
            if (kid.isDictionary() && kid.getKey("/Type").isNameAndEquals("/StructElem")) elements.push_back(kid);
            Object page = kid.isDictionary() && kid.hasKey("/Pg") ? kid.getKey("/Pg") : element.getKey("/Pg");
            if (kid.isInteger()) {
                if (!pages.count(page.getObjGen())) fault("marked content of no output page");
                if (!parentOf(page, kid.getIntValueAsInt()).isSameObjectAs(element))
                    fault("a page's marked content does not lead back to its element");
            }
            if (kid.isDictionary() && kid.getKey("/Obj").isStream()) {
                const bool drawn = pages.count(page.getObjGen()) > 0 &&
                                   page.getKey("/Resources").getKey("/XObject").getKey("/Fm2").isSameObjectAs(
                                       kid.getKey("/Obj"));
                if (!drawn)
                    fault("an OBJR's form is not drawn on its page");
                else if (!wholeFormParent(kid.getKey("/Obj")).isSameObjectAs(element))
                    fault("a form's /StructParent does not lead back to its element");
                else
                    ++found.resolvedForms;
            }
            if (!kid.isDictionary() || !kid.hasKey("/Stm")) continue;
            Object form = kid.getKey("/Stm");
            const int mcid = kid.getKey("/MCID").getIntValueAsInt();
            const bool drawn = pages.count(page.getObjGen()) > 0 && form.isStream() &&
                               page.getKey("/Resources").getKey("/XObject").getKey("/Fm1").isSameObjectAs(form);
            const std::string content = drawn ? streamText(form) : "";
            if (!drawn)
                fault("an MCR's /Stm is no form drawn on its page");
            else if (content.find("/MCID " + std::to_string(mcid) + " ") == std::string::npos)
                fault("an MCR's MCID is not in its form");
            else if (!parentOf(form, mcid).isSameObjectAs(element))
                fault("a form's marked content does not lead back to its element");
            else
                ++found.resolvedForms;
        }
    }
    return found;
}

struct FormCase {
    std::string name;
    std::function<void(const std::string& folder, RecordingReporter&)> run;
    std::string output;
    int resolvedForms;  // two per page written, a repeated page's copy unmarked
};

const std::vector<FormCase> formCases = {
    {"split of the second page",
     [](const std::string& folder, RecordingReporter& reporter) {
         job_runs::splitByRanges(folder, "tagged.pdf", "2", reporter);
     },
     "part_1.pdf", 2},
    {"split of both pages, the first again",
     [](const std::string& folder, RecordingReporter& reporter) {
         job_runs::splitByRanges(folder, "tagged.pdf", "1,2,1", reporter);
     },
     "part_1.pdf", 4},
    {"merge of the file with itself",
     [](const std::string& folder, RecordingReporter& reporter) {
         job_runs::merge(folder, {"tagged.pdf", "tagged.pdf"}, "out.pdf", reporter);
     },
     "out.pdf", 8},
    {"merge with a file whose tree has no elements",
     [](const std::string& folder, RecordingReporter& reporter) {
         writeTaggedFormPdf(folder + "bare.pdf", false);
         job_runs::merge(folder, {"tagged.pdf", "bare.pdf"}, "out.pdf", reporter);
     },
     "out.pdf", 4},
};

TEST(TaggedForms, MarkedContentOfFormXObjectsLeadsToItsElements) {
    for (const FormCase& test : formCases) {
        SCOPED_TRACE(test.name);
        TempDir dir;
        writeTaggedFormPdf(dir.file("tagged.pdf"));
        RecordingReporter reporter;
        test.run(dir.folder(), reporter);
        EXPECT_TRUE(reporter.messages.empty());
        const FormTags found = readFormTags(dir.file(test.output));
        EXPECT_EQ(found.faults, "");
        EXPECT_EQ(found.resolvedForms, test.resolvedForms);
    }
}

}  // namespace
