// Outputs finished on a thread of their own while the job makes the next.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "jobs/document_session.h"
#include "jobs/job_outputs.h"
#include "support/fixtures.h"
#include "support/recording_reporter.h"

namespace {

using fixtures::TempDir;

// Takes its time, so that the job has gone on by the time it is done.
class SlowFinisher : public NoFinishing {
public:
    void writeFinished(const NewOutput& output, std::FILE* file) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        NoFinishing::writeFinished(output, file);
    }
};

// Notes, for each message, the files of the folder at that moment.
class FolderWitness : public RecordingReporter {
public:
    explicit FolderWitness(const TempDir& dir) : dir_(dir) {}
    std::vector<std::vector<std::string>> filesAtMessages;
    void showMessage(const std::string& text) override {
        filesAtMessages.push_back(fixtures::filesIn(dir_.path()));
        RecordingReporter::showMessage(text);
    }

private:
    const TempDir& dir_;
};

// A message shown while an output is still being finished comes after that
// output is at its target, as it would have without the finishing thread.
TEST(FinishingAhead, AMessageFindsEveryOutputWrittenBeforeItAtItsTarget) {
    TempDir dir;
    fixtures::writeMarkedPdf(dir.file("in.pdf"), "A", 3);
    const InputFile in{"in.pdf", dir.folder(), ""};
    SlowFinisher finisher;
    FolderWitness reporter(dir);
    {
        JobOutputs outputs(finisher, reporter, {in});
        const PdfDocument input = outputs.openInput(0, in, reporter);
        for (int page = 1; page <= 2; ++page) {
            PdfDocument output = PdfDocument::create();
            outputs.addPages(0, appendPages(output, input, {page}), input.pageCount());
            outputs.write(std::move(output), dir.file(std::to_string(page) + ".pdf"));
        }
        outputs.reporter().showMessage("half way");
        PdfDocument last = PdfDocument::create();
        outputs.addPages(0, appendPages(last, input, {3}), input.pageCount());
        outputs.write(std::move(last), dir.file("3.pdf"));
        outputs.land();
    }
    ASSERT_EQ(reporter.filesAtMessages.size(), 1u);
    EXPECT_EQ(reporter.filesAtMessages[0], (std::vector<std::string>{"1.pdf", "2.pdf", "in.pdf"}));
    EXPECT_EQ(fixtures::markerText(dir.file("3.pdf")), "A3");
    EXPECT_EQ(reporter.written.size(), 3u);
}

}  // namespace
