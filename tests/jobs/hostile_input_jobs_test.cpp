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

// PDFium follows references recursively when it copies a page: a chain far
// longer than an ordinary stack takes must not end the process, in any job.
TEST(HostileInputJobs, LongReferenceChainIsCopiedByEveryJob) {
    TempDir dir;
    writeReferenceChain(dir.file("chain.pdf"), 40000);
    const InputFile chain{"chain.pdf", dir.folder(), ""};
    RecordingReporter reporter;
    OutputFinisher finisher = finisherFor(Protection{});

    SplitRequest split = splitRequestFor(chain);
    split.silent = true;
    runSplit(split, reporter, finisher);

    MergeRequest merge;
    merge.inputs = {chain, chain};
    merge.outputPath = dir.file("merged.pdf");
    merge.silent = true;
    runMerge(merge, reporter, finisher);

    MixRequest mix;
    mix.first = mix.second = chain;
    mix.singleFile = true;
    mix.baseName = "chain_";
    mix.destinationFolder = dir.folder();
    mix.silent = true;
    runMix(mix, reporter, finisher);

    EXPECT_EQ(reporter.written, (std::vector<std::pair<std::string, int>>{
                                    {dir.file("chain_1.pdf"), 1}, {dir.file("merged.pdf"), 2}, {dir.file("chain_mixed.pdf"), 2}}));
}

}  // namespace
