#include "jobs/bookmark_split_outputs.h"

#include <stdexcept>

#include "structure/document_outline.h"
#include "jobs/bookmark_split_plan.h"
#include "jobs/output_naming.h"
#include "jobs/title_file_names.h"

std::vector<BookmarkOutput> bookmarkSplitOutputs(const SplitRequest& request, int pageCount) {
    const std::string input = request.input.path();
    const int level = request.level();
    const DocumentOutline outline = readDocumentOutline(input, request.input.password);
    if (!outline.entries.empty() && outline.pageCount != pageCount)
        throw std::runtime_error("The pages of the bookmarks of " + input + " cannot be found: libqpdf reads " +
                                 std::to_string(outline.pageCount) + " pages, PDFium " + std::to_string(pageCount));
    const std::vector<BookmarkFile> files = planBookmarkSplit(outline.entries, level, pageCount);
    if (files.empty())
        throw std::runtime_error(input + " has no bookmarks at level " + std::to_string(level) +
                                 ", so nothing was written");

    std::vector<std::string> names, stems;
    for (const BookmarkFile& file : files) {
        names.push_back(numberedOutputName(request.destinationFolder, request.baseName, file.number, pageCount));
        const std::string title = file.titled ? fileStemOfTitle(file.title) : std::string();
        stems.push_back(title.empty() ? names.back().substr(request.destinationFolder.size(),
                                                            names.back().size() - request.destinationFolder.size() - 4)
                                      : title);
    }
    if (request.titleNames) names = uniqueOutputNames(request.destinationFolder, stems, input);
    std::vector<BookmarkOutput> outputs;
    for (std::size_t i = 0; i < files.size(); ++i) outputs.push_back({names[i], files[i].firstPage, files[i].lastPage});
    return outputs;
}
