#include "jobs/document_session.h"

#include "jobs/job_reporter.h"
#include "structure/import_rewrite.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <utility>


namespace {

// Smaller inputs are copied as they are: their pictures and annotations take
// little memory, and the rewrite would cost more than it saves.
constexpr std::uintmax_t RewrittenInputBytes = 4u << 20;

// The document read with picture stubs and no absurd annotation lists (see
// rewriteForImport), when it is large and has either; otherwise, or when the rewrite fails or reads otherwise, itself.
PdfDocument rewrittenForImport(PdfDocument document, const InputFile& input) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(std::filesystem::u8path(input.path()), error);
    if (document.repaired() || error || size < RewrittenInputBytes) return document;
    try {
        std::optional<std::string> rewrite = rewriteForImport(input.path(), input.password);
        if (!rewrite) return document;
        PdfDocument light = PdfDocument::openRewrite(input.path(), std::move(*rewrite), document.libqpdfParse());
        if (light.pageCount() == document.pageCount()) return light;
    } catch (const std::exception&) {
    }
    return document;
}

}  // namespace

PdfDocument openInput(const InputFile& input, JobReporter& reporter, bool pictureStubs) {
    const std::shared_ptr<PdfDocument> handed = std::exchange(input.opened, nullptr);
    PdfDocument document =
        handed && handed->isOpen() ? std::move(*handed) : PdfDocument::open(input.path(), input.password);
    if (document.repaired()) reporter.inputRepaired(input.path());
    return pictureStubs ? rewrittenForImport(std::move(document), input) : std::move(document);
}

void refuseWithoutPages(const PdfDocument& document, const InputFile& input) {
    if (document.pageCount() == 0)
        throw std::runtime_error("The file has no page that can be taken: " + input.path());
}

namespace {

// The positions in pages of the pages appendPages copies, in order.
std::vector<std::size_t> appendPositions(PdfDocument& output, const PdfDocument& source,
                                         const std::vector<int>& pages) {
    const int available = source.pageCount();
    std::vector<std::size_t> taken;
    taken.reserve(pages.size());
    for (std::size_t i = 0; i < pages.size(); ++i)
        if (pages[i] >= 1 && pages[i] <= available) taken.push_back(i);
    // PDFium stops a list at the first page it cannot copy, keeping the pages
    // before it (and at times a blank stand-in for that page). The rest goes
    // in a call of its own, so that only the pages PDFium cannot copy are
    // missing, as when every page is imported by a call of its own.
    std::vector<std::size_t> copied;
    for (std::size_t next = 0; next < taken.size();) {
        const int before = output.pageCount();
        std::vector<int> rest;
        for (std::size_t i = next; i < taken.size(); ++i) rest.push_back(pages[taken[i]]);
        if (output.importPages(source, rest, before + 1)) {
            copied.insert(copied.end(), taken.begin() + static_cast<std::ptrdiff_t>(next), taken.end());
            break;
        }
        const int imported = output.pageCount() - before;
        const std::ptrdiff_t kept = std::clamp<std::ptrdiff_t>(imported, 0, static_cast<std::ptrdiff_t>(rest.size()));
        copied.insert(copied.end(), taken.begin() + static_cast<std::ptrdiff_t>(next),
                      taken.begin() + static_cast<std::ptrdiff_t>(next) + kept);
        next += imported > 0 ? static_cast<std::size_t>(imported) : 1;  // none: the first is the one refused
    }
    return copied;
}

}  // namespace

std::vector<int> appendPages(PdfDocument& output, const PdfDocument& source, const std::vector<int>& pages) {
    std::vector<int> copied;
    for (std::size_t position : appendPositions(output, source, pages)) copied.push_back(pages[position]);
    return copied;
}

std::vector<std::vector<int>> appendRuns(PdfDocument& output, const std::vector<PageRun>& runs) {
    const int start = output.pageCount();
    std::vector<std::vector<int>> copied(runs.size());
    if (!PdfDocument::canReorderPages()) {
        for (std::size_t run = 0; run < runs.size(); ++run)
            copied[run] = appendPages(output, *runs[run].source, runs[run].pages);
        return copied;
    }
    std::vector<std::vector<int>> placed(runs.size());  // the output index of each page copied, by run
    std::vector<bool> done(runs.size(), false);
    for (std::size_t first = 0; first < runs.size(); ++first) {
        if (done[first]) continue;
        // Every run of this source, in one call.
        std::vector<int> pages;
        std::vector<std::size_t> runOf;
        for (std::size_t run = first; run < runs.size(); ++run) {
            if (runs[run].source != runs[first].source) continue;
            done[run] = true;
            pages.insert(pages.end(), runs[run].pages.begin(), runs[run].pages.end());
            runOf.insert(runOf.end(), runs[run].pages.size(), run);
        }
        int index = output.pageCount();
        for (std::size_t position : appendPositions(output, *runs[first].source, pages)) {
            copied[runOf[position]].push_back(pages[position]);
            placed[runOf[position]].push_back(index++);
        }
    }
    std::vector<int> order(static_cast<std::size_t>(start));
    for (int i = 0; i < start; ++i) order[static_cast<std::size_t>(i)] = i;
    for (const std::vector<int>& indices : placed) order.insert(order.end(), indices.begin(), indices.end());
    if (!std::is_sorted(order.begin(), order.end()) && !output.reorderPages(order))
        throw std::runtime_error("The pages of the new document cannot be put in order");
    return copied;
}

void refuseInputAsOutput(const std::string& path, const std::vector<InputFile>& inputs) {
    for (const InputFile& input : inputs) {
        std::error_code error;
        if (std::filesystem::equivalent(path, input.path(), error))
            throw std::runtime_error("Cannot create file \"" + path + "\". It is one of the files the job reads");
    }
}
