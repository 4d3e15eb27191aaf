#include <gtest/gtest.h>

#include <functional>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

#include "structure/annotations_carry.h"
#include "structure/import_rewrite.h"
#include "structure/structure_sources.h"
#include "support/fixtures.h"

namespace {

using fixtures::TempDir;
using Object = QPDFObjectHandle;

struct ListCase {
    const char* name;
    // Gives the first page its annotations.
    std::function<void(QPDF& pdf, Object page)> craft;
    bool packed;              // objects written in object streams
    int entriesRead;          // on the first page, as the structure carrying reads them
    bool shortenedUnparsed;   // cut before libqpdf read the page
};

Object link(QPDF& pdf, int i) {
    return pdf.makeIndirectObject(Object::parse("<< /Type /Annot /Subtype /Link /Rect [10 10 60 30] /NM (" +
                                                std::to_string(i) + ") >>"));
}

std::vector<Object> links(QPDF& pdf, int count) {
    std::vector<Object> list;
    for (int i = 0; i < count; ++i) list.push_back(link(pdf, i));
    return list;
}

void directList(QPDF& pdf, Object page, int count) { page.replaceKey("/Annots", Object::newArray(links(pdf, count))); }

const std::vector<ListCase> listCases = {
    {"10,005 references", [](QPDF& pdf, Object page) { directList(pdf, page, 10005); }, false, 10000, true},
    {"exactly 10,000", [](QPDF& pdf, Object page) { directList(pdf, page, 10000); }, false, 10000, false},
    {"direct dictionaries holding brackets and strings that look like them",
     [](QPDF& pdf, Object page) {
         std::vector<Object> list;
         for (int i = 0; i < 10003; ++i)
             list.push_back(Object::parse(&pdf, "<< /Subtype /Text /Rect [0 0 9 9] /Contents (] >> [ " + std::to_string(i) +
                                          " 0 R) /C [0.5 [1] << /K 2 0 R >>] >>"));
         page.replaceKey("/Annots", Object::newArray(list));
     },
     false, 10000, true},
    {"a list behind a reference",
     [](QPDF& pdf, Object page) { page.replaceKey("/Annots", pdf.makeIndirectObject(Object::newArray(links(pdf, 10005)))); },
     false, 10000, true},
    {"a page packed in an object stream (read by libqpdf, cut by the carrying)",
     [](QPDF& pdf, Object page) { directList(pdf, page, 10005); }, true, 10005, false},
    {"a content stream whose dictionary has such a list",
     [](QPDF& pdf, Object page) {
         Object contents = Object::newStream(&pdf, "0 0 m 10 10 l S\n");
         contents.getDict().replaceKey("/Annots", Object::newArray(links(pdf, 10005)));
         page.replaceKey("/Contents", contents);
     },
     false, 0, false},
};

// A one-page file, its first page crafted; the page keeps its rotation,
// written after /Annots.
void writeCase(const ListCase& list, const std::string& path) {
    TempDir made;
    fixtures::writeMarkedPdf(made.file("plain.pdf"), "L", 2);
    QPDF pdf;
    pdf.processFile(made.file("plain.pdf").c_str());
    Object page = pdf.getAllPages()[0];
    page.replaceKey("/Rotate", Object::newInteger(90));
    list.craft(pdf, page);
    QPDFWriter writer(pdf, path.c_str());
    writer.setObjectStreamMode(list.packed ? qpdf_o_generate : qpdf_o_disable);
    writer.write();
}

Object firstPageList(QPDF& pdf) { return Object(pdf.getAllPages()[0]).getKey("/Annots"); }

}  // namespace

// Whatever the form of the list, the pages read the same up to the cut: the
// same entries in order, every other key of the page as it was.
TEST(LongAnnotationLists, AreCutBeforeBeingReadAndKeepTheirFirstEntries) {
    for (const ListCase& list : listCases) {
        SCOPED_TRACE(list.name);
        TempDir dir;
        writeCase(list, dir.file("in.pdf"));
        QPDF whole;
        whole.processFile(dir.file("in.pdf").c_str());

        StructureSource source(dir.file("in.pdf"), "");
        Object page = source.pages()[0], read = page.getKey("/Annots");
        EXPECT_EQ(source.annotationsShortened(page.getObjGen()), list.shortenedUnparsed);
        EXPECT_EQ(read.isArray() ? read.getArrayNItems() : 0, list.entriesRead);
        EXPECT_EQ(page.getKey("/Rotate").unparse(), "90");
        EXPECT_TRUE(Object(source.pages()[0]).getKey("/Contents").isStream());
        EXPECT_EQ(source.pages().size(), 2u);
        Object original = firstPageList(whole);
        for (int i = 0; i < list.entriesRead; i += 9999)
            EXPECT_EQ(read.getArrayItem(i).unparseResolved(), original.getArrayItem(i).unparseResolved());
    }
}

// PDFium is given the cut list too: the rewrite it copies pages from holds the
// first 10,000 annotations.
TEST(LongAnnotationLists, TheRewriteForCopyingPagesHoldsTheCutList) {
    TempDir dir;
    writeCase(listCases.front(), dir.file("in.pdf"));
    const std::optional<std::string> rewrite = rewriteForImport(dir.file("in.pdf"), "");
    ASSERT_TRUE(rewrite);
    QPDF light;
    light.processMemoryFile("rewrite", rewrite->data(), rewrite->size());
    Object list = firstPageList(light);
    ASSERT_EQ(list.getArrayNItems(), static_cast<int>(MostPageAnnotations));
    EXPECT_EQ(list.getArrayItem(9999).getKey("/NM").getUTF8Value(), "9999");
}

// A long list that no page names as its annotations is read whole.
TEST(LongAnnotationLists, OtherLongListsStayWhole) {
    TempDir dir;
    const ListCase other{"a long list of the catalog",
                         [](QPDF& pdf, Object page) {
                             directList(pdf, page, 3);
                             pdf.getRoot().replaceKey("/Extra", pdf.makeIndirectObject(Object::newArray(links(pdf, 10005))));
                         },
                         false, 3, false};
    writeCase(other, dir.file("in.pdf"));
    StructureSource source(dir.file("in.pdf"), "");
    EXPECT_EQ(Object(source.pages()[0]).getKey("/Annots").getArrayNItems(), 3);
    EXPECT_EQ(source.catalog().getKey("/Extra").getArrayNItems(), 10005);
}
