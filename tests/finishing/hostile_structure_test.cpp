#include <gtest/gtest.h>

#include <functional>
#include <set>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include "job_runs.h"
#include "support/fixtures.h"
#include "support/recording_reporter.h"

namespace {

using fixtures::TempDir;
using Object = QPDFObjectHandle;

Object make(QPDF& pdf, const std::string& text) { return pdf.makeIndirectObject(Object::parse(text)); }

// Puts the first page's square into group, as marked content of /MC0.
void drawInGroup(QPDF& pdf, Object page, Object group) {
    page.getKey("/Resources").replaceKey("/Properties", Object::newDictionary());
    page.getKey("/Resources").getKey("/Properties").replaceKey("/MC0", group);
    page.addPageContents(Object::newStream(&pdf, "/OC /MC0 BDC 0 0 1 rg 100 100 50 50 re f EMC\n"), false);
}

// The layer group "Deep" on the first page, and a layer panel whose order is
// the list made by order from the group.
void layersWithOrder(QPDF& pdf, std::vector<Object>& pages, const std::function<Object(Object group)>& order) {
    Object group = make(pdf, "<< /Type /OCG /Name (Deep) >>");
    drawInGroup(pdf, pages[0], group);
    Object properties = Object::parse("<< /D << >> >>");
    properties.replaceKey("/OCGs", Object::newArray({group}));
    properties.getKey("/D").replaceKey("/Order", order(group));
    pdf.getRoot().replaceKey("/OCProperties", properties);
}

// A list of lists shared fan-out times at every level, depth levels deep, the group at the bottom.
Object sharedLists(QPDF& pdf, Object group, int depth, int fanOut) {
    Object list = pdf.makeIndirectObject(Object::newArray({group}));
    for (int level = 0; level < depth; ++level)
        list = pdf.makeIndirectObject(Object::newArray(std::vector<Object>(static_cast<std::size_t>(fanOut), list)));
    return Object::newArray({list});
}

Object outlineItem(QPDF& pdf, const std::string& title, Object page) {
    Object item = make(pdf, "<< >>");
    item.replaceKey("/Title", Object::newString(title));
    item.replaceKey("/Dest", Object::newArray({page, Object::newName("/Fit")}));
    return item;
}

// Counts what a walk from start along the given keys reaches, each object once.
std::size_t reached(Object start, const std::vector<std::string>& keys) {
    std::set<QPDFObjGen> seen;
    std::vector<Object> stack{start};
    std::size_t count = 0;
    while (!stack.empty()) {
        Object object = stack.back();
        stack.pop_back();
        if (object.isIndirect() && !seen.insert(object.getObjGen()).second) continue;
        ++count;
        for (const std::string& key : keys) {
            Object next = object.isDictionary() ? object.getKey(key) : Object::newNull();
            if (next.isArray())
                for (Object item : next.aitems()) stack.push_back(item);
            else if (next.isDictionary())
                stack.push_back(next);
        }
        if (object.isArray())
            for (Object item : object.aitems()) stack.push_back(item);
    }
    return count;
}

std::size_t groupsInOrder(QPDF& pdf) {
    Object order = pdf.getRoot().getKey("/OCProperties").getKey("/D").getKey("/Order");
    std::size_t groups = 0;
    std::vector<Object> stack{order};
    while (!stack.empty()) {
        Object item = stack.back();
        stack.pop_back();
        if (item.isArray())
            for (Object kid : item.aitems()) stack.push_back(kid);
        else if (item.isDictionary())
            ++groups;
    }
    return groups;
}

// A structure tree of one /Document element with the given kids.
void structureTree(QPDF& pdf, const std::vector<Object>& kids) {
    Object root = make(pdf, "<< /Type /StructTreeRoot >>");
    Object document = make(pdf, "<< /Type /StructElem /S /Document >>");
    document.replaceKey("/K", Object::newArray(kids));
    document.replaceKey("/P", root);
    root.replaceKey("/K", document);
    pdf.getRoot().replaceKey("/StructTreeRoot", root);
}

struct HostileCase {
    const char* name;
    std::function<void(QPDF&, std::vector<Object>& pages)> craft;
    std::function<std::string(QPDF& output)> describe;
    std::string description;
    std::vector<std::string> notes;  // what the job says it left out of hostile.pdf
};

const HostileCase hostileCases[] = {
    {"a layer panel of lists shared eight times at each of 40 levels",
     [](QPDF& pdf, std::vector<Object>& pages) {
         layersWithOrder(pdf, pages, [&](Object group) { return sharedLists(pdf, group, 40, 8); });
     },
     [](QPDF& output) { return std::to_string(groupsInOrder(output)); }, "1", {}},
    {"a layer panel of lists shared three times at each of 60 levels",
     [](QPDF& pdf, std::vector<Object>& pages) {
         layersWithOrder(pdf, pages, [&](Object group) { return sharedLists(pdf, group, 60, 3); });
     },
     [](QPDF& output) { return std::to_string(groupsInOrder(output)); }, "1", {}},
    {"a layer panel list that holds itself",
     [](QPDF& pdf, std::vector<Object>& pages) {
         layersWithOrder(pdf, pages, [&](Object group) {
             Object list = pdf.makeIndirectObject(Object::newArray({group}));
             list.appendItem(list);
             return Object::newArray({list, list});
         });
     },
     [](QPDF& output) { return std::to_string(groupsInOrder(output)); }, "1", {}},
    {"a layer panel of 200,000 entries",
     [](QPDF& pdf, std::vector<Object>& pages) {
         layersWithOrder(pdf, pages, [&](Object group) {
             std::vector<Object> entries(200000, Object::newString("label"));
             entries.front() = group;
             return Object::newArray(entries);
         });
     },
     [](QPDF& output) { return std::to_string(groupsInOrder(output)); }, "1",
     {"layer panel entries beyond the first 100000"}},
    {"bookmarks whose /First and /Next links loop",
     [](QPDF& pdf, std::vector<Object>& pages) {
         Object one = outlineItem(pdf, "One", pages[0]), two = outlineItem(pdf, "Two", pages[1]);
         one.replaceKey("/First", two);
         one.replaceKey("/Next", two);
         two.replaceKey("/First", one);
         two.replaceKey("/Next", one);
         Object outlines = make(pdf, "<< /Type /Outlines >>");
         outlines.replaceKey("/First", one);
         pdf.getRoot().replaceKey("/Outlines", outlines);
     },
     [](QPDF& output) { return std::to_string(reached(output.getRoot().getKey("/Outlines"), {"/First", "/Next"})); },
     "3", {}},
    {"bookmarks nested 120,000 deep",
     [](QPDF& pdf, std::vector<Object>& pages) {
         Object outlines = make(pdf, "<< /Type /Outlines >>");
         Object parent = outlines;
         for (int depth = 0; depth < 120000; ++depth) {
             Object item = outlineItem(pdf, "Level", pages[0]);
             parent.replaceKey("/First", item);
             parent.replaceKey("/Last", item);
             item.replaceKey("/Parent", parent);
             parent = item;
         }
         pdf.getRoot().replaceKey("/Outlines", outlines);
     },
     [](QPDF& output) { return std::to_string(reached(output.getRoot().getKey("/Outlines"), {"/First"})); },
     "50001", {"bookmarks beyond the first 50000"}},
    {"a page of 10,005 links",
     [](QPDF& pdf, std::vector<Object>& pages) {
         std::vector<Object> links;
         for (int i = 0; i < 10005; ++i)
             links.push_back(make(pdf, "<< /Type /Annot /Subtype /Link /Rect [10 10 60 30] /Border [0 0 0] >>"));
         pages[0].replaceKey("/Annots", Object::newArray(links));
     },
     [](QPDF& output) { return std::to_string(Object(output.getAllPages()[0]).getKey("/Annots").getArrayNItems()); },
     "10000", {"annotations of a page beyond the first 10000"}},
    {"a field tree whose parents loop",
     [](QPDF& pdf, std::vector<Object>& pages) {
         Object widget = make(pdf, "<< /Type /Annot /Subtype /Widget /Rect [10 10 60 30] /FT /Tx /V (x) >>");
         Object first = make(pdf, "<< /T (first) >>"), second = make(pdf, "<< /T (second) >>");
         widget.replaceKey("/Parent", first);
         first.replaceKey("/Parent", second);
         first.replaceKey("/Kids", Object::newArray({widget, second}));
         second.replaceKey("/Parent", first);
         second.replaceKey("/Kids", Object::newArray({first}));
         pages[0].replaceKey("/Annots", Object::newArray({widget}));
         pdf.getRoot().replaceKey("/AcroForm", Object::newDictionary());
         pdf.getRoot().getKey("/AcroForm").replaceKey("/Fields", Object::newArray({first}));
     },
     [](QPDF& output) { return std::to_string(Object(output.getAllPages()[0]).getKey("/Annots").getArrayNItems()); }, "1",
     {}},
    {"name trees whose kids loop",
     [](QPDF& pdf, std::vector<Object>& pages) {
         Object destinations = make(pdf, "<< >>"), files = make(pdf, "<< >>");
         destinations.replaceKey("/Kids", Object::newArray({destinations}));
         files.replaceKey("/Kids", Object::newArray({files, files}));
         pdf.getRoot().replaceKey("/Names", Object::newDictionary());
         pdf.getRoot().getKey("/Names").replaceKey("/Dests", destinations);
         pdf.getRoot().getKey("/Names").replaceKey("/EmbeddedFiles", files);
         pages[0].replaceKey("/Annots", Object::newArray({make(
                                            pdf, "<< /Type /Annot /Subtype /Link /Rect [10 10 60 30] /Dest (x) >>")}));
     },
     [](QPDF& output) { return std::to_string(reached(output.getRoot().getKey("/Names"), {"/Dests", "/Kids"})); },
     "1", {}},
    {"page labels whose kids loop",
     [](QPDF& pdf, std::vector<Object>&) {
         Object labels = make(pdf, "<< >>");
         labels.replaceKey("/Kids", Object::newArray({labels}));
         pdf.getRoot().replaceKey("/PageLabels", labels);
     },
     [](QPDF& output) { return output.getRoot().getKey("/PageLabels").unparseResolved(); }, "null", {}},
    {"a structure tree whose elements and parent tree loop",
     [](QPDF& pdf, std::vector<Object>& pages) {
         Object root = make(pdf, "<< /Type /StructTreeRoot >>");
         Object document = make(pdf, "<< /Type /StructElem /S /Document >>");
         Object paragraph = make(pdf, "<< /Type /StructElem /S /P >>");
         paragraph.replaceKey("/Pg", pages[0]);
         paragraph.replaceKey("/K", Object::newArray({document, Object::newInteger(0)}));
         document.replaceKey("/K", Object::newArray({document, paragraph}));
         Object parents = make(pdf, "<< >>");
         parents.replaceKey("/Kids", Object::newArray({parents}));
         root.replaceKey("/K", document);
         root.replaceKey("/ParentTree", parents);
         pages[0].replaceKey("/StructParents", Object::newInteger(0));
         pdf.getRoot().replaceKey("/StructTreeRoot", root);
     },
     [](QPDF& output) {
         return std::to_string(reached(output.getRoot().getKey("/StructTreeRoot").getKey("/K"), {"/K"}));
     },
     "3", {}},
    {"a structure element listing one kid 1,300,000 times (9 MB of text)",
     [](QPDF& pdf, std::vector<Object>& pages) {
         Object paragraph = make(pdf, "<< /Type /StructElem /S /P /K 0 >>");
         paragraph.replaceKey("/Pg", pages[0]);
         structureTree(pdf, std::vector<Object>(1300000, paragraph));
         pages[0].replaceKey("/StructParents", Object::newInteger(0));
     },
     [](QPDF& output) {
         return output.getRoot().getKey("/StructTreeRoot").unparse() + ", page keyed: " +
                (Object(output.getAllPages()[0]).hasKey("/StructParents") ? "yes" : "no");
     },
     "null, page keyed: no", {"all structure elements (the tree is too large to read)"}},
};

TEST(HostileStructure, AbsurdOrLoopingTreesAreCarriedOnceOrCutWithANote) {
    for (const HostileCase& hostile : hostileCases) {
        SCOPED_TRACE(hostile.name);
        TempDir dir;
        fixtures::writeMarkedPdf(dir.file("plain.pdf"), "H", 3);
        {
            QPDF pdf;
            pdf.processFile(dir.file("plain.pdf").c_str());
            std::vector<Object> pages = pdf.getAllPages();
            hostile.craft(pdf, pages);
            QPDFWriter(pdf, dir.file("hostile.pdf").c_str()).write();
        }
        // Two outputs from the one input, each keeping the whole document.
        RecordingReporter reporter;
        job_runs::splitByRanges(dir.folder(), "hostile.pdf", "1-3;1-3", reporter);

        std::vector<std::string> expectedMessages;
        for (const std::string& note : hostile.notes)
            expectedMessages.push_back(dir.file("hostile.pdf") + ": " + note + " were left out");
        EXPECT_EQ(reporter.messages, expectedMessages);
        ASSERT_EQ(fixtures::markerText(dir.file("part_2.pdf")), "H1 H2 H3");
        QPDF output;
        output.processFile(dir.file("part_2.pdf").c_str());
        EXPECT_EQ(hostile.describe(output), hostile.description);
    }
}

}  // namespace
