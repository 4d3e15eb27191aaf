#include "structured_pdfs.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include <qpdf/QPDFAcroFormDocumentHelper.hh>
#include <qpdf/QPDFNameTreeObjectHelper.hh>
#include <qpdf/QPDFNumberTreeObjectHelper.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageLabelDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include "support/fixtures.h"

namespace structured_pdfs {
namespace {

using Object = QPDFObjectHandle;

Object parse(const std::string& text) { return Object::parse(text); }

Object make(QPDF& pdf, const std::string& text) { return pdf.makeIndirectObject(parse(text)); }

Object array(std::vector<Object> items) { return Object::newArray(items); }

Object fit(Object page) { return array({page, Object::newName("/Fit")}); }

// The marker of a page as marked content 0 of the page.
std::string markerContent(const std::string& marker) {
    return "/P << /MCID 0 >> BDC BT /F1 36 Tf 72 672 Td (" + marker + ") Tj ET EMC\n";
}

// Pages with a marker each (prefix + number), sharing one Helvetica.
std::vector<Object> addMarkedPages(QPDF& pdf, const std::string& prefix, int count, Object font) {
    QPDFPageDocumentHelper document(pdf);
    for (int i = 1; i <= count; ++i) {
        Object page = make(pdf, "<< /Type /Page /MediaBox [0 0 612 792] >>");
        page.replaceKey("/Resources", parse("<< /Font << >> >>"));
        page.getKey("/Resources").getKey("/Font").replaceKey("/F1", font);
        page.replaceKey("/Contents", Object::newStream(&pdf, markerContent(prefix + std::to_string(i))));
        document.addPage(QPDFPageObjectHelper(page), false);
    }
    return pdf.getAllPages();
}

// A paragraph element per page (its marker) under one Document element, and
// a Link element for the given link annotation; the tree's /ParentTree
// numbers the pages 0, 1, ... and the link after them.
void addStructureTree(QPDF& pdf, std::vector<Object> pages, Object link, int linkPage) {
    Object root = make(pdf, "<< /Type /StructTreeRoot >>");
    Object document = make(pdf, "<< /Type /StructElem /S /Document >>");
    document.replaceKey("/P", root);
    Object kids = Object::newArray(), numbers = Object::newArray();
    for (std::size_t i = 0; i < pages.size(); ++i) {
        Object paragraph = make(pdf, "<< /Type /StructElem /S /P /K 0 >>");
        paragraph.replaceKey("/P", document);
        paragraph.replaceKey("/Pg", pages[i]);
        kids.appendItem(paragraph);
        pages[i].replaceKey("/StructParents", Object::newInteger(static_cast<long long>(i)));
        numbers.appendItem(Object::newInteger(static_cast<long long>(i)));
        numbers.appendItem(array({paragraph}));
        if (static_cast<int>(i) != linkPage) continue;
        Object element = make(pdf, "<< /Type /StructElem /S /Link /K << /Type /OBJR >> >>");
        element.replaceKey("/P", document);
        element.replaceKey("/Pg", pages[i]);
        element.getKey("/K").replaceKey("/Obj", link);
        kids.appendItem(element);
        link.replaceKey("/StructParent", Object::newInteger(static_cast<long long>(pages.size())));
        numbers.appendItem(Object::newInteger(static_cast<long long>(pages.size())));
        numbers.appendItem(element);
    }
    document.replaceKey("/K", kids);
    root.replaceKey("/K", document);
    root.replaceKey("/ParentTree", Object::newDictionary());
    root.getKey("/ParentTree").replaceKey("/Nums", numbers);
    root.replaceKey("/ParentTreeNextKey", Object::newInteger(static_cast<long long>(pages.size()) + 1));
    pdf.getRoot().replaceKey("/StructTreeRoot", root);
    pdf.getRoot().replaceKey("/MarkInfo", parse("<< /Marked true >>"));
}

// Links the items as the children of parent, all open.
void linkOutline(Object parent, const std::vector<Object>& items) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        Object item = items[i];
        item.replaceKey("/Parent", parent);
        if (i > 0) item.replaceKey("/Prev", items[i - 1]);
        if (i + 1 < items.size()) item.replaceKey("/Next", items[i + 1]);
    }
    parent.replaceKey("/First", items.front());
    parent.replaceKey("/Last", items.back());
}

Object outlineItem(QPDF& pdf, const std::string& title) {
    Object item = make(pdf, "<< >>");
    item.replaceKey("/Title", Object::newString(title));
    return item;
}

Object annotation(QPDF& pdf, const std::string& body, Object page) {
    Object annotation = make(pdf, "<< /Type /Annot /Rect [10 10 60 30] /F 4 " + body + " >>");
    annotation.replaceKey("/P", page);
    return annotation;
}

Object appearance(QPDF& pdf) {
    Object stream = Object::newStream(&pdf, "0 g 0 0 10 10 re f\n");
    stream.replaceDict(parse("<< /Type /XObject /Subtype /Form /BBox [0 0 10 10] >>"));
    return stream;
}

void addAttachment(QPDF& pdf, Object names, const std::string& text) {
    Object file = Object::newStream(&pdf, text);
    file.getDict().replaceKey("/Type", Object::newName("/EmbeddedFile"));
    Object fileEntry = make(pdf, "<< /Type /Filespec /F (notes.txt) /UF (notes.txt) /EF << >> >>");
    fileEntry.getKey("/EF").replaceKey("/F", file);
    names.replaceKey("/EmbeddedFiles", Object::newDictionary());
    names.getKey("/EmbeddedFiles").replaceKey("/Names", array({Object::newString("notes.txt"), fileEntry}));
}

void write(QPDF& pdf, const std::string& path) {
    QPDFWriter writer(pdf, path.c_str());
    writer.setStaticID(true);
    writer.write();
}

}  // namespace

void writeStructuredPdf(const std::string& path) {
    QPDF pdf;
    pdf.emptyPDF();
    Object helvetica = make(pdf, "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
    std::vector<Object> pages = addMarkedPages(pdf, "S", 6, helvetica);
    Object root = pdf.getRoot();

    // Layers on S5.
    Object secret = make(pdf, "<< /Type /OCG /Name (Secret) >>");
    Object shown = make(pdf, "<< /Type /OCG /Name (Shown) >>");
    Object layered = pages[4];
    layered.getKey("/Resources").replaceKey("/Properties", Object::newDictionary());
    layered.getKey("/Resources").getKey("/Properties").replaceKey("/MC0", secret);
    layered.getKey("/Resources").getKey("/Properties").replaceKey("/MC1", shown);
    layered.replaceKey("/Contents", Object::newStream(&pdf, markerContent("S5") +
                                                               "/OC /MC0 BDC 1 0 0 rg 100 100 100 100 re f EMC\n"
                                                               "/OC /MC1 BDC 0 1 0 rg 400 100 100 100 re f EMC\n"));
    root.replaceKey("/OCProperties", parse("<< /D << >> >>"));
    root.getKey("/OCProperties").replaceKey("/OCGs", array({secret, shown}));
    root.getKey("/OCProperties").getKey("/D").replaceKey("/Order", array({secret, shown}));
    root.getKey("/OCProperties").getKey("/D").replaceKey("/OFF", array({secret}));

    // Named destination, attachment.
    root.replaceKey("/Names", Object::newDictionary());
    Object names = root.getKey("/Names");
    names.replaceKey("/Dests", Object::newDictionary());
    names.getKey("/Dests").replaceKey(
        "/Names", array({Object::newString("preface"), array({pages[1], parse("/XYZ"), parse("0"), parse("792"),
                                                               Object::newNull()})}));
    addAttachment(pdf, names, "notes of the structured file");

    // Bookmarks.
    Object outlines = make(pdf, "<< /Type /Outlines /Count 6 >>");
    Object front = outlineItem(pdf, "Front"), preface = outlineItem(pdf, "Preface"), body = outlineItem(pdf, "Body"),
           partA = outlineItem(pdf, "Part A"), partB = outlineItem(pdf, "Part B"), web = outlineItem(pdf, "Web");
    front.replaceKey("/Dest", fit(pages[0]));
    front.replaceKey("/Count", Object::newInteger(1));
    preface.replaceKey("/Dest", Object::newString("preface"));
    body.replaceKey("/Dest", array({pages[2], parse("/XYZ"), parse("0"), parse("792"), parse("0")}));
    body.replaceKey("/Count", Object::newInteger(2));
    partA.replaceKey("/A", parse("<< /S /GoTo >>"));
    partA.getKey("/A").replaceKey("/D", fit(pages[3]));
    partB.replaceKey("/Dest", fit(pages[5]));
    web.replaceKey("/A", parse("<< /S /URI /URI (https://example.org) >>"));
    linkOutline(outlines, {front, body, web});
    linkOutline(front, {preface});
    linkOutline(body, {partA, partB});
    root.replaceKey("/Outlines", outlines);

    // Links on S1, a note with its popup on S2.
    Object toS5 = annotation(pdf, "/Subtype /Link", pages[0]);
    toS5.replaceKey("/Dest", fit(pages[4]));
    Object toS3 = annotation(pdf, "/Subtype /Link /A << /S /GoTo >>", pages[0]);
    toS3.getKey("/A").replaceKey("/D", fit(pages[2]));
    Object toPreface = annotation(pdf, "/Subtype /Link /Dest (preface)", pages[0]);
    Object toWeb = annotation(pdf, "/Subtype /Link /A << /S /URI /URI (https://example.org) >>", pages[0]);
    pages[0].replaceKey("/Annots", array({toS5, toS3, toPreface, toWeb}));
    addStructureTree(pdf, pages, toS3, 0);
    Object note = annotation(pdf, "/Subtype /Text /Contents (A note)", pages[1]);
    Object popup = annotation(pdf, "/Subtype /Popup", pages[1]);
    note.replaceKey("/Popup", popup);
    popup.replaceKey("/Parent", note);
    pages[1].replaceKey("/Annots", array({note, popup}));

    // The form.
    Object name = annotation(pdf, "/Subtype /Widget /FT /Tx /T (name) /V (Ada)", pages[2]);
    Object agree =
        annotation(pdf, "/Subtype /Widget /FT /Btn /T (agree) /V /Yes /AS /Yes /AP << /N << >> >>", pages[2]);
    agree.getKey("/AP").getKey("/N").replaceKey("/Yes", appearance(pdf));
    Object choice = make(pdf, "<< /FT /Btn /Ff 49152 /T (choice) /V /B >>");
    Object buttonA = annotation(pdf, "/Subtype /Widget /AS /Off /AP << /N << >> >>", pages[2]);
    buttonA.getKey("/AP").getKey("/N").replaceKey("/A", appearance(pdf));
    Object buttonB = annotation(pdf, "/Subtype /Widget /AS /B /AP << /N << >> >>", pages[3]);
    buttonB.getKey("/AP").getKey("/N").replaceKey("/B", appearance(pdf));
    buttonA.replaceKey("/Parent", choice);
    buttonB.replaceKey("/Parent", choice);
    choice.replaceKey("/Kids", array({buttonA, buttonB}));
    Object person = make(pdf, "<< /T (person) >>");
    Object city = annotation(pdf, "/Subtype /Widget /FT /Tx /T (city) /V (Paris)", pages[3]);
    city.replaceKey("/Parent", person);
    person.replaceKey("/Kids", array({city}));
    pages[2].replaceKey("/Annots", array({name, agree, buttonA}));
    pages[3].replaceKey("/Annots", array({buttonB, city}));
    Object form = make(pdf, "<< /NeedAppearances true /DA (/Helv 0 Tf 0 g) /DR << /Font << >> >> >>");
    form.getKey("/DR").getKey("/Font").replaceKey("/Helv", helvetica);
    form.replaceKey("/Fields", array({name, agree, choice, person}));
    root.replaceKey("/AcroForm", form);

    root.replaceKey("/PageLabels", parse("<< /Nums [0 << /S /r >> 2 << /S /D >>] >>"));
    root.replaceKey("/ViewerPreferences", parse("<< /DisplayDocTitle true >>"));
    root.replaceKey("/PageMode", parse("/UseOutlines"));
    pdf.getTrailer().replaceKey("/Info", make(pdf, "<< /Title (Structure Fixture) /Author (Ada Lovelace) >>"));
    write(pdf, path);
}

void writeSecondStructuredPdf(const std::string& path) {
    QPDF pdf;
    pdf.emptyPDF();
    Object helvetica = make(pdf, "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
    Object courier = make(pdf, "<< /Type /Font /Subtype /Type1 /BaseFont /Courier >>");
    std::vector<Object> pages = addMarkedPages(pdf, "T", 3, helvetica);
    Object root = pdf.getRoot();

    root.replaceKey("/Names", Object::newDictionary());
    Object names = root.getKey("/Names");
    names.replaceKey("/Dests", Object::newDictionary());
    names.getKey("/Dests").replaceKey("/Names", array({Object::newString("preface"), fit(pages[1])}));
    addAttachment(pdf, names, "notes of the second file");

    Object outlines = make(pdf, "<< /Type /Outlines /Count 1 >>");
    Object intro = outlineItem(pdf, "T intro");
    intro.replaceKey("/Dest", fit(pages[0]));
    linkOutline(outlines, {intro});
    root.replaceKey("/Outlines", outlines);

    Object toPreface = annotation(pdf, "/Subtype /Link /Dest (preface)", pages[0]);
    Object name = annotation(pdf, "/Subtype /Widget /FT /Tx /T (name) /V (Bob)", pages[0]);
    pages[0].replaceKey("/Annots", array({toPreface, name}));
    Object form = make(pdf, "<< /DA (/Helv 0 Tf 0 g) /DR << /Font << >> >> >>");
    form.getKey("/DR").getKey("/Font").replaceKey("/Helv", courier);
    form.replaceKey("/Fields", array({name}));
    root.replaceKey("/AcroForm", form);
    write(pdf, path);
}

// ---------------------------------------------------------------- reading back

namespace {

std::string joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts) text += (text.empty() ? "" : " ") + part;
    return text;
}

class StructureReader {
public:
    explicit StructureReader(const std::string& path) {
        pdf_.setSuppressWarnings(true);
        pdf_.processFile(path.c_str());
        pages_ = pdf_.getAllPages();
        // A repeated page is named with its occurrence: T1, T1#2.
        std::map<std::string, int> seen;
        for (const std::string& marker : fixtures::readMarkers(path)) {
            const int occurrence = ++seen[marker];
            markers_.push_back(occurrence == 1 ? marker : marker + "#" + std::to_string(occurrence));
        }
    }

    Structure read() {
        Structure structure;
        Object outlines = pdf_.getRoot().getKey("/Outlines");
        structure.bookmarks = outlines.isDictionary() ? joined(outlineLevel(outlines, 0)) : "(none)";
        structure.links = links();
        structure.fields = fields();
        structure.labels = labels();
        structure.hiddenLayers = hiddenLayers();
        Object title = pdf_.getTrailer().getKey("/Info").getKey("/Title");
        structure.title = title.isString() ? title.getUTF8Value() : "(none)";
        structure.attachments = attachments();
        structure.faults = faults() + structureFaults();
        Object root = pdf_.getRoot().getKey("/StructTreeRoot");
        structure.tags = root.isDictionary() ? joined(elementLevel(root.getKey("/K"), 0)) : "(none)";
        return structure;
    }

private:
    std::string markerOf(Object page) {
        for (std::size_t i = 0; i < pages_.size(); ++i)
            if (pages_[i].isSameObjectAs(page)) return markers_[i];
        return "?";
    }

    std::string target(Object destination) {
        if (destination.isString()) {
            Object tree = pdf_.getRoot().getKey("/Names").getKey("/Dests");
            Object found;
            if (!tree.isDictionary()) return "?";
            if (!QPDFNameTreeObjectHelper(tree, pdf_).findObject(destination.getUTF8Value(), found)) return "?";
            destination = found;
        }
        if (destination.isDictionary()) destination = destination.getKey("/D");
        return destination.isArray() && destination.getArrayNItems() > 0 ? markerOf(destination.getArrayItem(0)) : "?";
    }

    std::string targetOf(Object item) {
        if (item.hasKey("/Dest")) return target(item.getKey("/Dest"));
        Object action = item.getKey("/A");
        if (!action.isDictionary()) return "-";
        if (action.getKey("/S").isNameAndEquals("/URI")) return "uri";
        return action.getKey("/S").isNameAndEquals("/GoTo") ? target(action.getKey("/D")) : "?";
    }

    std::vector<std::string> outlineLevel(Object parent, int depth) {
        std::vector<std::string> level;
        for (Object item = parent.getKey("/First"); item.isDictionary() && depth < 10; item = item.getKey("/Next")) {
            std::string text = item.getKey("/Title").getUTF8Value() + "=" + targetOf(item);
            if (item.getKey("/First").isDictionary()) text += " [" + joined(outlineLevel(item, depth + 1)) + "]";
            level.push_back(text);
        }
        return level;
    }

    std::string links() {
        std::vector<std::string> perPage;
        for (std::size_t i = 0; i < pages_.size(); ++i) {
            std::string targets;
            for (Object annotation : pages_[i].getKey("/Annots").aitems())
                if (annotation.getKey("/Subtype").isNameAndEquals("/Link"))
                    targets += (targets.empty() ? "" : ",") + targetOf(annotation);
            if (!targets.empty()) perPage.push_back(markers_[i] + ">" + targets);
        }
        return joined(perPage);
    }

    // Each field once: libqpdf names the unnamed widgets of a field (radio
    // buttons) as fields of their own.
    std::string fields() {
        std::vector<std::string> list;
        std::set<QPDFObjGen> seen;
        for (QPDFFormFieldObjectHelper field : QPDFAcroFormDocumentHelper(pdf_).getFormFields()) {
            if (!field.getObjectHandle().hasKey("/T") && !field.getParent().isNull()) field = field.getParent();
            if (!seen.insert(field.getObjectHandle().getObjGen()).second) continue;
            Object value = field.getValue();
            const std::string text =
                value.isName() ? value.getName().substr(1) : value.isString() ? value.getUTF8Value() : "?";
            list.push_back(field.getFullyQualifiedName() + "=" + text);
        }
        std::sort(list.begin(), list.end());
        return joined(list);
    }

    std::string labels() {
        QPDFPageLabelDocumentHelper labels(pdf_);
        if (!labels.hasPageLabels()) return "(none)";
        std::vector<std::string> list;
        for (std::size_t i = 0; i < pages_.size(); ++i) {
            Object label = labels.getLabelForPage(static_cast<long long>(i));
            const long long number = label.getKey("/St").isInteger() ? label.getKey("/St").getIntValue() : 1;
            const std::string style = label.getKey("/S").isName() ? label.getKey("/S").getName() : "";
            static const char* const romans[] = {"", "i", "ii", "iii", "iv", "v", "vi", "vii", "viii", "ix", "x"};
            list.push_back(style == "/r" && number <= 10 ? romans[number] : std::to_string(number));
        }
        return joined(list);
    }

    // The layers off by default that a page of the output draws with.
    std::string hiddenLayers() {
        std::set<QPDFObjGen> used;
        for (Object page : pages_)
            for (auto& [key, group] : QPDFPageObjectHelper(page).getAttribute("/Resources", false)
                                          .getKey("/Properties").ditems())
                used.insert(group.getObjGen());
        std::vector<std::string> names;
        Object properties = pdf_.getRoot().getKey("/OCProperties");
        if (!properties.isDictionary()) return "";
        for (Object group : properties.getKey("/D").getKey("/OFF").aitems())
            if (used.count(group.getObjGen())) names.push_back(group.getKey("/Name").getUTF8Value());
        return joined(names);
    }

    std::string attachments() {
        Object tree = pdf_.getRoot().getKey("/Names").getKey("/EmbeddedFiles");
        if (!tree.isDictionary()) return "(none)";
        std::vector<std::string> names;
        for (auto& [name, fileEntry] : QPDFNameTreeObjectHelper(tree, pdf_)) names.push_back(name);
        return joined(names);
    }

    // Every /P names the page the annotation is on, every /Popup and a
    // popup's /Parent lead to an annotation of that page, every widget's
    // /Parent lists it among its /Kids, and every field's widgets are on a page.
    std::string faults() {
        std::vector<std::string> found;
        std::set<QPDFObjGen> onPages;
        for (std::size_t i = 0; i < pages_.size(); ++i) {
            std::set<QPDFObjGen> here;
            for (Object annotation : pages_[i].getKey("/Annots").aitems()) here.insert(annotation.getObjGen());
            onPages.insert(here.begin(), here.end());
            for (Object annotation : pages_[i].getKey("/Annots").aitems()) {
                const std::string what = markers_[i] + " " + annotation.getKey("/Subtype").unparse();
                if (annotation.hasKey("/P") && !annotation.getKey("/P").isSameObjectAs(pages_[i]))
                    found.push_back(what + " /P");
                if (annotation.hasKey("/Popup") && !here.count(annotation.getKey("/Popup").getObjGen()))
                    found.push_back(what + " /Popup");
                Object parent = annotation.getKey("/Parent");
                if (annotation.getKey("/Subtype").isNameAndEquals("/Popup") && !here.count(parent.getObjGen()))
                    found.push_back(what + " /Parent");
                if (annotation.getKey("/Subtype").isNameAndEquals("/Widget") && parent.isDictionary()) {
                    bool listed = false;
                    for (Object kid : parent.getKey("/Kids").aitems())
                        listed = listed || kid.isSameObjectAs(annotation);
                    if (!listed) found.push_back(what + " /Parent");
                }
            }
        }
        QPDFAcroFormDocumentHelper form(pdf_);
        for (QPDFFormFieldObjectHelper field : form.getFormFields())
            for (QPDFAnnotationObjectHelper widget : form.getAnnotationsForField(field))
                if (!onPages.count(widget.getObjectHandle().getObjGen()))
                    found.push_back(field.getFullyQualifiedName() + " widget on no page");
        return joined(found);
    }

    std::vector<std::string> elementLevel(Object kids, int depth) {
        std::vector<std::string> level;
        for (Object kid : kids.isArray() ? kids.getArrayAsVector() : std::vector<Object>{kids}) {
            if (!kid.isDictionary() || !kid.hasKey("/S") || depth > 10) continue;
            std::string text = kid.getKey("/S").getName().substr(1);
            if (kid.hasKey("/Pg")) text += "@" + markerOf(kid.getKey("/Pg"));
            std::vector<std::string> below = elementLevel(kid.getKey("/K"), depth + 1);
            if (!below.empty()) text += " [" + joined(below) + "]";
            level.push_back(text);
        }
        return level;
    }

    // /MarkInfo claims tags only with a tree; every /StructParents of a page
    // and /StructParent of an annotation has its entry in the parent tree,
    // whose elements name that page.
    std::string structureFaults() {
        Object root = pdf_.getRoot().getKey("/StructTreeRoot");
        const bool marked = pdf_.getRoot().getKey("/MarkInfo").getKey("/Marked").isBool() &&
                            pdf_.getRoot().getKey("/MarkInfo").getKey("/Marked").getBoolValue();
        if (!root.isDictionary()) return marked ? " /MarkInfo without a tree" : "";
        std::string found;
        QPDFNumberTreeObjectHelper parents(root.getKey("/ParentTree"), pdf_);
        for (std::size_t i = 0; i < pages_.size(); ++i) {
            Object key = pages_[i].getKey("/StructParents");
            if (!key.isInteger()) continue;
            Object elements;
            if (!parents.findObject(key.getIntValue(), elements)) {
                found += " " + markers_[i] + " /StructParents";
                continue;
            }
            for (Object element : elements.aitems())
                if (element.isDictionary() && !element.getKey("/Pg").isSameObjectAs(pages_[i]))
                    found += " " + markers_[i] + " element on another page";
            for (Object annotation : pages_[i].getKey("/Annots").aitems()) {
                Object element;
                if (annotation.hasKey("/StructParent") &&
                    !parents.findObject(annotation.getKey("/StructParent").getIntValue(), element))
                    found += " " + markers_[i] + " /StructParent";
            }
        }
        return found;
    }

    QPDF pdf_;
    std::vector<std::string> markers_;
    std::vector<Object> pages_;
};

}  // namespace

Structure readStructure(const std::string& path) { return StructureReader(path).read(); }

}  // namespace structured_pdfs
