#include "jobs/output_provenance.h"

#include "engine/pdf_document.h"
#include "jobs/job_reporter.h"
#include "structure/structure_sources.h"

OutputProvenance::OutputProvenance(const std::vector<InputFile>& inputs, BookmarkMode bookmarks) {
    for (const InputFile& input : inputs) {
        StructureInput carried;
        carried.path = input.path();
        carried.password = input.password;
        carried.repairedCopy = [path = input.path(), password = input.password] {
            return PdfDocument::open(path, password).save();
        };
        request_.inputs.push_back(carried);
    }
    request_.bookmarks = bookmarks;
}

void OutputProvenance::addPages(std::size_t input, const std::vector<int>& pages, int pagesInInput) {
    for (int page : pages) request_.pages.push_back({input, page - 1});
    request_.inputs.at(input).pageCount = pagesInInput;
}

void OutputProvenance::inputOpened(std::size_t input, const PdfDocument& document) {
    StructureInput& opened = request_.inputs.at(input);
    opened.parsed = document.libqpdfParse();
    opened.pictureStubs = document.fromRewrite();
    opened.readAhead = std::make_shared<SourceReadAhead>(opened);
}

void OutputProvenance::addBlankPage() { request_.pages.push_back({PageOrigin::NoInput, 0}); }

StructureRequest OutputProvenance::takeOutput() {
    StructureRequest output = request_;
    request_.pages.clear();
    return output;
}

void OutputProvenance::tellNotCarried(const std::vector<std::size_t>& inputs, const std::vector<StructureNote>& notes,
                                      JobReporter& reporter) {
    for (std::size_t input : inputs)
        if (input < request_.inputs.size() && told_.insert(request_.inputs[input].path).second)
            reporter.showMessage(reporter.translation("MsgStructureLost") + " " + request_.inputs[input].path);
    for (const StructureNote& note : notes) {
        if (note.input >= request_.inputs.size()) continue;
        const std::string text = request_.inputs[note.input].path + ": " + note.text + " were left out";
        if (toldNotes_.insert(text).second) reporter.showMessage(text);
    }
}
