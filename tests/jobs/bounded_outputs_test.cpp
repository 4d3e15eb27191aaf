#include <gtest/gtest.h>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include "jobs/job_finishing.h"
#include "jobs/merge_job.h"
#include "jobs/mix_job.h"
#include "jobs/split_job.h"
#include "support/fixtures.h"
#include "support/recording_reporter.h"

namespace {

using fixtures::TempDir;

constexpr int Pages = 4;

// A one-page document whose annotation reaches its last entry through a chain
// of `links` indirect dictionaries, packed into object streams so that the
// file stays small.
void writeReferenceChain(const std::string& path, int links) {
    QPDF pdf;
    pdf.emptyPDF();
    QPDFObjectHandle end = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
    for (int i = 0; i < links; ++i) {
        QPDFObjectHandle link = QPDFObjectHandle::newDictionary();
        link.replaceKey("/Next", end);
        end = pdf.makeIndirectObject(link);
    }
    QPDFObjectHandle annotation = QPDFObjectHandle::parse("<< /Type /Annot /Subtype /Text /Rect [10 10 30 30] >>");
    annotation.replaceKey("/Chain", end);
    QPDFObjectHandle page = QPDFObjectHandle::parse("<< /Type /Page /MediaBox [0 0 200 200] >>");
    page.replaceKey("/Annots", QPDFObjectHandle::newArray({pdf.makeIndirectObject(annotation)}));
    QPDFPageDocumentHelper(pdf).addPage(QPDFPageObjectHelper(pdf.makeIndirectObject(page)), false);
    QPDFWriter writer(pdf, path.c_str());
    writer.setObjectStreamMode(qpdf_o_generate);
    writer.write();
}


QPDFObjectHandle newImage(QPDF& pdf, char shade) {
    QPDFObjectHandle image = QPDFObjectHandle::newStream(&pdf, std::string(64, shade));
    image.replaceDict(QPDFObjectHandle::parse(
        "<< /Type /XObject /Subtype /Image /Width 8 /Height 8 /ColorSpace /DeviceGray /BitsPerComponent 8 >>"));
    return image;
}

// Pages that share one resource dictionary naming a font, a logo every page
// draws and a picture of each page that only that page draws.
void writeSharedResources(const std::string& path) {
    QPDF pdf;
    pdf.emptyPDF();
    QPDFObjectHandle pictures = QPDFObjectHandle::newDictionary();
    pictures.replaceKey("/Logo", newImage(pdf, 'L'));
    for (int page = 1; page <= Pages; ++page)
        pictures.replaceKey("/Im" + std::to_string(page), newImage(pdf, static_cast<char>('a' + page)));
    QPDFObjectHandle resources = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
    resources.replaceKey("/XObject", pictures);
    resources.replaceKey("/Font",
                         QPDFObjectHandle::parse("<< /F1 << /Type /Font /Subtype /Type1 /BaseFont /Helvetica >> >>"));
    for (int page = 1; page <= Pages; ++page) {
        QPDFObjectHandle dictionary = QPDFObjectHandle::parse("<< /Type /Page /MediaBox [0 0 200 200] >>");
        dictionary.replaceKey("/Resources", resources);
        dictionary.replaceKey("/Contents", QPDFObjectHandle::newStream(
                                               &pdf, "q 20 0 0 20 0 0 cm /Logo Do Q q 20 0 0 20 50 0 cm /Im" +
                                                         std::to_string(page) + " Do Q BT /F1 12 Tf (x) Tj ET"));
        QPDFPageDocumentHelper(pdf).addPage(QPDFPageObjectHelper(pdf.makeIndirectObject(dictionary)), false);
    }
    QPDFWriter writer(pdf, path.c_str());
    writer.write();
}

// The image streams an output holds.
int imagesIn(const std::string& path) {
    QPDF pdf;
    pdf.processFile(path.c_str());
    int images = 0;
    for (QPDFObjectHandle& object : pdf.getAllObjects())
        if (object.isStream() && object.getDict().getKey("/Subtype").isNameAndEquals("/Image")) ++images;
    return images;
}

class BoundedOutputs : public ::testing::Test {
protected:
    void SetUp() override { writeSharedResources(dir.file("shared.pdf")); }

    void split(const InputFile& input) {
        SplitRequest request = splitRequestFor(input);
        runSplit(request, reporter, finisher);
    }
    // The input twice into output.
    void mergeTwice(const InputFile& input, const std::string& output) {
        MergeRequest request;
        request.inputs = {input, input};
        request.outputPath = output;
        runMerge(request, reporter, finisher);
    }
    // The input with itself, a page of each in turns, into base + "mixed.pdf".
    void mixIntoOneFile(const InputFile& input, const std::string& base) {
        MixRequest request;
        request.first = request.second = input;
        request.firstMethod.groupCount = request.secondMethod.groupCount = "1";
        request.singleFile = true;
        request.baseName = base;
        request.destinationFolder = dir.folder();
        runMix(request, reporter, finisher);
    }

    TempDir dir;
    const InputFile shared{"shared.pdf", dir.folder(), ""};
    RecordingReporter reporter;
    OutputFinisher finisher = finisherFor(Protection{});
};

TEST_F(BoundedOutputs, SinglePageHoldsOnlyThePicturesItDraws) {
    split(shared);
    for (int page = 1; page <= Pages; ++page)
        EXPECT_EQ(imagesIn(dir.file("shared_" + std::to_string(page) + ".pdf")), 2) << "page " << page;
}

// Each turn of a mix into one file is its own run of pages; the pictures the
// pages of one input share are still stored once, as in a merge of the inputs.
TEST_F(BoundedOutputs, MixIntoOneFileStoresEachInputsPicturesOnce) {
    mergeTwice(shared, dir.file("merged.pdf"));
    mixIntoOneFile(shared, "shared_");

    EXPECT_EQ(imagesIn(dir.file("merged.pdf")), 2 * (Pages + 1));
    EXPECT_EQ(imagesIn(dir.file("shared_mixed.pdf")), 2 * (Pages + 1));
}

// PDFium follows references recursively when it copies a page: a chain far
// longer than an ordinary stack takes must not end the process, in any job.
TEST_F(BoundedOutputs, LongReferenceChainIsCopiedByEveryJob) {
    writeReferenceChain(dir.file("chain.pdf"), 40000);
    const InputFile chain{"chain.pdf", dir.folder(), ""};
    split(chain);
    mergeTwice(chain, dir.file("merged.pdf"));
    mixIntoOneFile(chain, "chain_");
    const std::vector<std::pair<std::string, int>> written{
        {dir.file("chain_1.pdf"), 1}, {dir.file("merged.pdf"), 2}, {dir.file("chain_mixed.pdf"), 2}};
    EXPECT_EQ(reporter.written, written);
}

}  // namespace
