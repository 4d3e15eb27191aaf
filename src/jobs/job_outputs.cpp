#include "jobs/job_outputs.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "finishing/finisher.h"
#include "jobs/document_session.h"

namespace {

// Raised on the finishing thread where finishing needs PDFium. Not a
// std::exception, so that nothing on its way takes it for a failure.
struct PdfiumNeeded {};

void writeBytes(const std::string& bytes, std::FILE* file) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) throw std::runtime_error(std::strerror(errno));
}

}  // namespace

class JobOutputs::LandingFirst : public JobReporter {
public:
    LandingFirst(JobReporter& reporter, JobOutputs& outputs) : reporter_(reporter), outputs_(outputs) {}
    void showMessage(const std::string& text) override {
        outputs_.takeFinished();
        outputs_.landing_.land();
        reporter_.showMessage(text);
    }
    std::string translation(const std::string& key) override { return reporter_.translation(key); }
    void setProgressPosition(int position) override { reporter_.setProgressPosition(position); }
    void setProgressVisible(bool visible) override { reporter_.setProgressVisible(visible); }
    void outputWritten(const WrittenOutput& output) override { reporter_.outputWritten(output); }
    bool stopRequested() const override { return reporter_.stopRequested(); }

private:
    JobReporter& reporter_;
    JobOutputs& outputs_;
};

JobOutputs::JobOutputs(Finisher& finisher, JobReporter& reporter, const std::vector<InputFile>& inputs,
                       BookmarkMode bookmarks)
    : finisher_(finisher), landing_([&reporter](const WrittenOutput& output) { reporter.outputWritten(output); }),
      reporter_(std::make_unique<LandingFirst>(reporter, *this)), provenance_(inputs, bookmarks) {}

JobOutputs::~JobOutputs() {
    try {
        takeFinished();
    } catch (...) {
        // The job already ends in an error of its own, which is the one reported.
    }
}

JobReporter& JobOutputs::reporter() { return *reporter_; }

PdfDocument JobOutputs::openInput(std::size_t index, const InputFile& input, JobReporter& reporter) {
    PdfDocument document = ::openInput(input, reporter, finisher_.restoresPictures());
    provenance_.inputOpened(index, document);
    return document;
}

NewOutput JobOutputs::save(PdfDocument&& document, const std::string& path) {
    NewOutput output;
    output.path = path;
    output.structure = provenance_.takeOutput();
    const PdfDocument closedAfterSaving = std::move(document);
    output.pageCount = closedAfterSaving.pageCount();
    if (output.pageCount > 0) {
        // A large output goes into a temporary file beside its target, on the file system it lands on.
        const std::filesystem::path folder = std::filesystem::path(path).parent_path();
        output.pdf = SavedPdf(folder.empty() ? "." : folder.string());
        closedAfterSaving.save([&output](const char* data, std::size_t size) { output.pdf.append(data, size); });
    }
    return output;
}

void JobOutputs::write(PdfDocument&& document, const std::string& path) {
    NewOutput output = save(std::move(document), path);
    takeFinished();
    if (output.pageCount == 0) {
        leftOut_.push_back(path);
        return;
    }
    // The staged file is made here (a target refused is refused before its
    // output is finished), and finishing writes into it.
    OutputLanding::Staging staging =
        OutputLanding::createStaged({path, output.pageCount, finisher_.protects(), finisher_.stamps()});
    inFinishing_.reset(new InFinishing{std::move(output), std::move(staging), {}, {}, {}, false});
    // PDFium is called by this thread alone: reading an input from PDFium's
    // own copy (a file libqpdf cannot read as PDFium does) sends the output
    // back here to be finished.
    for (StructureInput& input : inFinishing_->saved.structure.inputs) {
        inFinishing_->repairedCopies.push_back(input.repairedCopy);
        if (input.repairedCopy) input.repairedCopy = []() -> std::string { throw PdfiumNeeded{}; };
    }
    finishing_ = std::make_unique<BackgroundWork>([this, finishing = inFinishing_.get()] {
        try {
            finishOutput(*finishing);
        } catch (const PdfiumNeeded&) {
            finishing->pdfiumNeeded = true;
        }
    });
}

void JobOutputs::finishOutput(InFinishing& finishing) {
    OutputLanding::fill(finishing.staging, [&](std::FILE* file) { finisher_.writeFinished(finishing.saved, file); });
    finishing.saved = NewOutput();  // its bytes go as soon as they are finished
    finishing.notCarried = finisher_.structureNotCarried();
    finishing.notes = finisher_.structureNotes();
}

void JobOutputs::takeFinished() {
    if (!inFinishing_) return;
    const std::unique_ptr<InFinishing> finished = std::move(inFinishing_);
    const std::unique_ptr<BackgroundWork> finishing = std::move(finishing_);
    finishing->wait();
    if (finished->pdfiumNeeded) {
        std::vector<StructureInput>& inputs = finished->saved.structure.inputs;
        for (std::size_t i = 0; i < inputs.size(); ++i) inputs[i].repairedCopy = finished->repairedCopies[i];
        finished->staging = OutputLanding::createStaged(finished->staging.output());  // anew: the first was left half written
        finishOutput(*finished);
    }
    staged(std::move(finished->staging), finished->notCarried, finished->notes);
}

void JobOutputs::staged(OutputLanding::Staging&& staging, const std::vector<std::size_t>& notCarried,
                        const std::vector<StructureNote>& notes) {
    landing_.stage(std::move(staging));
    provenance_.tellNotCarried(notCarried, notes, *reporter_);
    ++written_;
}

FinishedOutput JobOutputs::finish(PdfDocument&& document, const std::string& path) {
    takeFinished();  // the finisher is free
    const NewOutput output = save(std::move(document), path);
    FinishedOutput finished{{path, output.pageCount, finisher_.protects(), finisher_.stamps()}, {}, {}, {}};
    if (output.pageCount == 0) return finished;
    finished.bytes = finisher_.finishInMemory(output);
    finished.notCarried = finisher_.structureNotCarried();
    finished.notes = finisher_.structureNotes();
    return finished;
}

void JobOutputs::write(FinishedOutput&& output) {
    takeFinished();
    if (output.written.pageCount == 0) {
        leftOut_.push_back(output.written.path);
        return;
    }
    OutputLanding::Staging staging = OutputLanding::createStaged(output.written);
    OutputLanding::fill(staging, [&](std::FILE* file) { writeBytes(output.bytes, file); });
    staged(std::move(staging), output.notCarried, output.notes);
}

void JobOutputs::land() {
    takeFinished();
    landing_.land();
    std::string names;
    for (const std::string& path : leftOut_) names += (names.empty() ? "" : ", ") + path;
    const std::string noPage = "No page was selected for " + names;
    const bool several = leftOut_.size() > 1;
    leftOut_.clear();
    if (written_ == 0)
        throw std::runtime_error(names.empty() ? "Nothing was written: no page was selected"
                                               : noPage + ", so nothing was written");
    if (!names.empty()) reporter_->showMessage(noPage + (several ? ", so they were not written" : ", so it was not written"));
}
