#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include "jobs/merge_job.h"
#include "jobs/split_job.h"
#include "structure/import_rewrite.h"
#include "support/fixtures.h"
#include "support/recording_reporter.h"

namespace {

using fixtures::TempDir;

constexpr int Large = 2 << 20;

// A file past the size from which inputs are read with picture stubs: two
// large pictures and a small one.
void writeScan(const std::string& path, const std::string& password = "") {
    fixtures::writeMarkedPdf(path, "S", 3,
                             fixtures::PdfOptions().withPicture(1, Large).withPicture(2, Large).withPicture(3, 1000)
                                 .withPassword(password));
}

// Each picture of each page: its size, kind and a digest of its decoded bytes.
std::vector<std::string> picturesOf(const std::string& path, const std::string& password = "") {
    QPDF pdf;
    pdf.processFile(path.c_str(), password.empty() ? nullptr : password.c_str());
    std::vector<std::string> pictures;
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages())
        for (auto& [name, picture] : page.getImages()) {
            const std::shared_ptr<Buffer> bytes = picture.getStreamData(qpdf_dl_all);
            QPDFObjectHandle dictionary = picture.getDict();
            pictures.push_back(name + " " + dictionary.getKey("/Width").unparse() + " " +
                               dictionary.getKey("/Subtype").unparse() + " " +
                               std::to_string(std::hash<std::string>{}(
                                   std::string(reinterpret_cast<const char*>(bytes->getBuffer()), bytes->getSize()))));
        }
    return pictures;
}

std::vector<std::string> operator+(std::vector<std::string> first, const std::vector<std::string>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// Large inputs reach PDFium with stubs for their pictures; every job's
// outputs hold the pictures as the input does, and no stub.
TEST(PictureStubs, EveryJobWritesThePicturesOfALargeInput) {
    TempDir dir;
    writeScan(dir.file("scan.pdf"));
    writeScan(dir.file("locked.pdf"), "pw");
    const std::vector<std::string> scan = picturesOf(dir.file("scan.pdf"));
    ASSERT_EQ(scan.size(), 3u);

    struct Case {
        std::string name;
        std::function<void(RecordingReporter&)> run;
        std::string output, password;
        std::vector<std::string> pictures;
    } cases[] = {
        {"merge with itself",
         [&](RecordingReporter& reporter) {
             MergeRequest request;
             request.inputs = {{"scan.pdf", dir.folder(), ""}, {"scan.pdf", dir.folder(), ""}};
             request.outputPath = dir.file("merged.pdf");
             runMerge(request, reporter);
         },
         "merged.pdf", "", scan + scan},
        {"split of a locked input into protected outputs",
         [&](RecordingReporter& reporter) {
             SplitRequest request;
             request.input = {"locked.pdf", dir.folder(), "pw"};
             request.method = SplitMethod::ByPageRange;
             request.rangeList = "2-3;1";
             request.baseName = "part_";
             request.destinationFolder = dir.folder();
             request.protection.outputPassword = "s3cret";
             runSplit(request, reporter);
         },
         "part_1.pdf", "s3cret", {scan[1], scan[2]}},
    };
    for (const Case& c : cases) {
        RecordingReporter reporter;
        c.run(reporter);
        EXPECT_TRUE(reporter.messages.empty()) << c.name;
        EXPECT_EQ(picturesOf(dir.file(c.output), c.password), c.pictures) << c.name;
        EXPECT_EQ(fixtures::readFile(dir.file(c.output)).find("PictureStub"), std::string::npos) << c.name;
    }
}

TEST(PictureStubs, OnlyLargePicturesAreLeftOut) {
    TempDir dir;
    writeScan(dir.file("scan.pdf"));
    fixtures::writeMarkedPdf(dir.file("small.pdf"), "T", 2, fixtures::PdfOptions().withPicture(1, 1000));
    EXPECT_FALSE(rewriteForImport(dir.file("small.pdf"), ""));

    const std::optional<std::string> light = rewriteForImport(dir.file("scan.pdf"), "");
    ASSERT_TRUE(light);
    EXPECT_LT(light->size(), 64u * 1024);
    fixtures::writeFile(dir.file("light.pdf"), *light);
    QPDF pdf;
    pdf.processFile(dir.file("light.pdf").c_str());
    std::vector<std::size_t> sizes;
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages())
        for (auto& [name, picture] : page.getImages()) sizes.push_back(picture.getRawStreamData()->getSize());
    EXPECT_EQ(sizes[0], 0u);
    EXPECT_EQ(sizes[1], 0u);
    EXPECT_GT(sizes[2], 0u);

    // Stubs whose input the output does not name cannot be filled: finishing fails, naming it.
    StructureSources sources;
    EXPECT_NE(fixtures::errorOf([&] { restorePictures(pdf, StructureRequest{}, sources); }).find(dir.file("scan.pdf")),
              std::string::npos);
}

// The rewrite of an input whose first page holds an absurd list of links:
// the list shortened, and what a reader reaches (bookmarks, labels, the
// document's title, links to other pages) kept, leading to the rewrite's pages.
TEST(ImportRewrite, ShortensAbsurdAnnotationListsAndKeepsWhatAReaderReaches) {
    TempDir dir;
    fixtures::writeMarkedPdf(dir.file("plain.pdf"), "L", 3);
    {
        QPDF pdf;
        pdf.processFile(dir.file("plain.pdf").c_str());
        std::vector<QPDFObjectHandle> pages = pdf.getAllPages();
        auto link = [&](QPDFObjectHandle page) {
            QPDFObjectHandle annotation = pdf.makeIndirectObject(
                QPDFObjectHandle::parse("<< /Type /Annot /Subtype /Link /Rect [10 10 60 30] >>"));
            annotation.replaceKey("/Dest", QPDFObjectHandle::newArray({page, QPDFObjectHandle::newName("/Fit")}));
            return annotation;
        };
        std::vector<QPDFObjectHandle> links;
        for (int i = 0; i < 10005; ++i) links.push_back(link(pages[2]));
        pages[0].replaceKey("/Annots", QPDFObjectHandle::newArray(links));
        QPDFObjectHandle item = link(pages[1]);
        QPDFObjectHandle outlines = pdf.makeIndirectObject(QPDFObjectHandle::parse("<< /Type /Outlines >>"));
        outlines.replaceKey("/First", item);
        outlines.replaceKey("/Last", item);
        item.replaceKey("/Parent", outlines);
        item.replaceKey("/Title", QPDFObjectHandle::newString("Two"));
        pdf.getRoot().replaceKey("/Outlines", outlines);
        pdf.getRoot().replaceKey("/PageLabels", QPDFObjectHandle::parse("<< /Nums [0 << /S /r >>] >>"));
        pdf.getTrailer().replaceKey("/Info", pdf.makeIndirectObject(QPDFObjectHandle::parse("<< /Title (Links) >>")));
        QPDFWriter(pdf, dir.file("links.pdf").c_str()).write();
    }
    const std::optional<std::string> light = rewriteForImport(dir.file("links.pdf"), "");
    ASSERT_TRUE(light);
    fixtures::writeFile(dir.file("light.pdf"), *light);
    QPDF pdf;
    pdf.processFile(dir.file("light.pdf").c_str());
    std::vector<QPDFObjectHandle> pages = pdf.getAllPages();
    ASSERT_EQ(pages.size(), 3u);
    QPDFObjectHandle links = pages[0].getKey("/Annots");
    ASSERT_EQ(links.getArrayNItems(), 10000);
    EXPECT_EQ(links.getArrayItem(9999).getKey("/Dest").getArrayItem(0).getObjGen(), pages[2].getObjGen());
    EXPECT_EQ(pdf.getRoot().getKey("/Outlines").getKey("/First").getKey("/Dest").getArrayItem(0).getObjGen(),
              pages[1].getObjGen());
    EXPECT_EQ(pdf.getRoot().getKey("/PageLabels").unparseResolved(), "<< /Nums [ 0 << /S /r >> ] >>");
    EXPECT_EQ(pdf.getTrailer().getKey("/Info").getKey("/Title").getUTF8Value(), "Links");
    EXPECT_EQ(fixtures::markerText(dir.file("light.pdf")), "L1 L2 L3");
}

}  // namespace
