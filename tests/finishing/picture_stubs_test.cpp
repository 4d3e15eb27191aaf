#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include "jobs/merge_job.h"
#include "jobs/split_job.h"
#include "structure/picture_stubs.h"
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
    EXPECT_FALSE(rewriteWithPictureStubs(dir.file("small.pdf"), ""));

    const std::optional<std::string> light = rewriteWithPictureStubs(dir.file("scan.pdf"), "");
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

}  // namespace
