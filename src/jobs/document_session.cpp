#include "jobs/document_session.h"

#include "jobs/job_reporter.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <utility>


PdfDocument openInput(const InputFile& input, JobReporter& reporter) {
    const std::shared_ptr<PdfDocument> handed = std::exchange(input.opened, nullptr);
    PdfDocument document =
        handed && handed->isOpen() ? std::move(*handed) : PdfDocument::open(input.path(), input.password);
    if (document.repaired()) reporter.inputRepaired(input.path());
    return document;
}

void refuseWithoutPages(const PdfDocument& document, const InputFile& input) {
    if (document.pageCount() == 0)
        throw std::runtime_error("The file has no page that can be taken: " + input.path());
}

std::vector<int> appendPages(PdfDocument& output, const PdfDocument& source, const std::vector<int>& pages) {
    const int available = source.pageCount();
    std::vector<int> taken;
    taken.reserve(pages.size());
    for (int page : pages)
        if (page >= 1 && page <= available) taken.push_back(page);
    // PDFium stops a list at the first page it cannot copy, keeping the pages
    // before it (and at times a blank stand-in for that page). The rest goes
    // in a call of its own, so that only the pages PDFium cannot copy are
    // missing, as when every page is imported by a call of its own.
    std::vector<int> copied;
    for (std::size_t next = 0; next < taken.size();) {
        const int before = output.pageCount();
        const std::vector<int> rest(taken.begin() + static_cast<std::ptrdiff_t>(next), taken.end());
        if (output.importPages(source, rest, before + 1)) {
            copied.insert(copied.end(), rest.begin(), rest.end());
            break;
        }
        const int imported = output.pageCount() - before;
        copied.insert(copied.end(), rest.begin(),
                      rest.begin() + std::clamp<std::ptrdiff_t>(imported, 0, static_cast<std::ptrdiff_t>(rest.size())));
        next += imported > 0 ? static_cast<std::size_t>(imported) : 1;  // none: the first is the one refused
    }
    return copied;
}

void refuseInputAsOutput(const std::string& path, const std::vector<InputFile>& inputs) {
    for (const InputFile& input : inputs) {
        std::error_code error;
        if (std::filesystem::equivalent(path, input.path(), error))
            throw std::runtime_error("Cannot create file \"" + path + "\". It is one of the files the job reads");
    }
}
