#include "jobs/job_outputs.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "finishing/finisher.h"
#include "jobs/document_session.h"

class JobOutputs::LandingFirst : public JobReporter {
public:
    LandingFirst(JobReporter& reporter, OutputLanding& landing) : reporter_(reporter), landing_(landing) {}
    void showMessage(const std::string& text) override {
        landing_.land();
        reporter_.showMessage(text);
    }
    std::string translation(const std::string& key) override { return reporter_.translation(key); }
    void setProgressPosition(int position) override { reporter_.setProgressPosition(position); }
    void setProgressVisible(bool visible) override { reporter_.setProgressVisible(visible); }
    void outputWritten(const WrittenOutput& output) override { reporter_.outputWritten(output); }
    bool stopRequested() const override { return reporter_.stopRequested(); }

private:
    JobReporter& reporter_;
    OutputLanding& landing_;
};

JobOutputs::JobOutputs(Finisher& finisher, JobReporter& reporter, const std::vector<InputFile>& inputs,
                       BookmarkMode bookmarks)
    : finisher_(finisher), landing_([&reporter](const WrittenOutput& output) { reporter.outputWritten(output); }),
      reporter_(std::make_unique<LandingFirst>(reporter, landing_)), provenance_(inputs, bookmarks) {}

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
    const NewOutput output = save(std::move(document), path);
    if (output.pageCount == 0) {
        leftOut_.push_back(path);
        return;
    }
    const WrittenOutput written{path, output.pageCount, finisher_.protects(), finisher_.stamps()};
    landing_.stage(written, [&](std::FILE* file) { finisher_.writeFinished(output, file); });
    provenance_.tellNotCarried(finisher_.structureNotCarried(), finisher_.structureNotes(), *reporter_);
    ++written_;
}

FinishedOutput JobOutputs::finish(PdfDocument&& document, const std::string& path) {
    const NewOutput output = save(std::move(document), path);
    FinishedOutput finished{{path, output.pageCount, finisher_.protects(), finisher_.stamps()}, {}, {}, {}};
    if (output.pageCount == 0) return finished;
    finished.bytes = finisher_.finishInMemory(output);
    finished.notCarried = finisher_.structureNotCarried();
    finished.notes = finisher_.structureNotes();
    return finished;
}

void JobOutputs::write(FinishedOutput&& output) {
    if (output.written.pageCount == 0) {
        leftOut_.push_back(output.written.path);
        return;
    }
    landing_.stage(output.written, [&](std::FILE* file) {
        if (std::fwrite(output.bytes.data(), 1, output.bytes.size(), file) != output.bytes.size())
            throw std::runtime_error(std::strerror(errno));
    });
    provenance_.tellNotCarried(output.notCarried, output.notes, *reporter_);
    ++written_;
}

void JobOutputs::land() {
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
