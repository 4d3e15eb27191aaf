// Adds to a PDF the structure a merge has to carry, for bench/structure.sh:
// a bookmark per page under one per ten pages (those through named
// destinations), on every page three internal links (explicit destination,
// GoTo action, named destination) and a web link, a text field and a check
// box, and page labels.
//
//   structured_input IN OUT

#include <iostream>
#include <string>
#include <vector>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

namespace {

using Object = QPDFObjectHandle;

Object annotation(QPDF& pdf, const std::string& body, Object page, int slot) {
    const std::string x = std::to_string(20 + 60 * slot);
    Object annotation = pdf.makeIndirectObject(
        Object::parse("<< /Type /Annot /F 4 /Rect [" + x + " 20 " + x + " 40] " + body + " >>"));
    annotation.getKey("/Rect").setArrayItem(2, Object::newInteger(70 + 60 * slot));
    annotation.replaceKey("/P", page);
    return annotation;
}

Object outlineItem(QPDF& pdf, const std::string& title, Object parent) {
    Object item = pdf.makeIndirectObject(Object::newDictionary());
    item.replaceKey("/Title", Object::newString(title));
    item.replaceKey("/Parent", parent);
    return item;
}

void appendChild(Object parent, Object item) {
    if (parent.getKey("/Last").isDictionary()) {
        parent.getKey("/Last").replaceKey("/Next", item);
        item.replaceKey("/Prev", parent.getKey("/Last"));
    } else {
        parent.replaceKey("/First", item);
    }
    parent.replaceKey("/Last", item);
    const long long count = parent.getKey("/Count").isInteger() ? parent.getKey("/Count").getIntValue() : 0;
    parent.replaceKey("/Count", Object::newInteger(count + 1));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: structured_input IN OUT\n";
        return 2;
    }
    QPDF pdf;
    pdf.processFile(argv[1]);
    Object root = pdf.getRoot();
    std::vector<Object> pages = pdf.getAllPages();

    Object helvetica = pdf.makeIndirectObject(Object::parse("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"));
    Object fields = Object::newArray();
    Object names = Object::newArray();
    Object outlines = pdf.makeIndirectObject(Object::parse("<< /Type /Outlines >>"));
    Object chapter;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        Object page = pages[i];
        const std::string number = std::to_string(i + 1);
        if (i % 10 == 0) {
            const std::string name = "chapter-" + std::to_string(i / 10 + 1);
            names.appendItem(Object::newString(name));
            names.appendItem(Object::newArray({page, Object::newName("/Fit")}));
            chapter = outlineItem(pdf, "Chapter " + std::to_string(i / 10 + 1), outlines);
            chapter.replaceKey("/Dest", Object::newString(name));
            appendChild(outlines, chapter);
        }
        Object entry = outlineItem(pdf, "Page " + number, chapter);
        entry.replaceKey("/Dest", Object::newArray({page, Object::newName("/XYZ"), Object::newInteger(0),
                                                    Object::newInteger(792), Object::newInteger(0)}));
        appendChild(chapter, entry);

        Object next = annotation(pdf, "/Subtype /Link", page, 0);
        next.replaceKey("/Dest", Object::newArray({pages[(i + 1) % pages.size()], Object::newName("/Fit")}));
        Object first = annotation(pdf, "/Subtype /Link /A << /S /GoTo >>", page, 1);
        first.getKey("/A").replaceKey("/D", Object::newArray({pages[0], Object::newName("/Fit")}));
        Object named = annotation(pdf, "/Subtype /Link", page, 2);
        named.replaceKey("/Dest", Object::newString("chapter-" + std::to_string(i / 10 + 1)));
        Object web = annotation(pdf, "/Subtype /Link /A << /S /URI /URI (https://example.org) >>", page, 3);
        Object text = annotation(pdf, "/Subtype /Widget /FT /Tx /V (filled in)", page, 4);
        text.replaceKey("/T", Object::newString("text-" + number));
        Object check = annotation(pdf, "/Subtype /Widget /FT /Btn /V /Yes /AS /Yes", page, 5);
        check.replaceKey("/T", Object::newString("check-" + number));
        fields.appendItem(text);
        fields.appendItem(check);
        page.replaceKey("/Annots", Object::newArray({next, first, named, web, text, check}));
    }
    root.replaceKey("/Outlines", outlines);
    root.replaceKey("/Names", Object::newDictionary());
    root.getKey("/Names").replaceKey("/Dests", Object::newDictionary());
    root.getKey("/Names").getKey("/Dests").replaceKey("/Names", names);
    Object form = pdf.makeIndirectObject(Object::parse("<< /NeedAppearances true /DA (/Helv 0 Tf 0 g) >>"));
    form.replaceKey("/DR", Object::newDictionary());
    form.getKey("/DR").replaceKey("/Font", Object::newDictionary());
    form.getKey("/DR").getKey("/Font").replaceKey("/Helv", helvetica);
    form.replaceKey("/Fields", fields);
    root.replaceKey("/AcroForm", form);
    root.replaceKey("/PageLabels", Object::parse("<< /Nums [0 << /S /r >> 2 << /S /D >>] >>"));

    QPDFWriter writer(pdf, argv[2]);
    writer.write();
    return 0;
}
