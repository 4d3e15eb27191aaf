#include "ui/merge_selections.h"

#include "jobs/page_selection.h"

std::vector<int> selectedPagesOf(const ListedFile& file) {
    return selectedPages(file.pageSelection, file.pageCount, file.input.path());
}

std::vector<int> mergedPagesOf(const ListedFile& file) {
    try {
        return selectedPagesOf(file);
    } catch (const PageSelectionError&) {
        return selectedPages("", file.pageCount, file.input.path());
    }
}

std::string pageSelectionError(const ListedFile& file) {
    try {
        selectedPagesOf(file);
        return std::string();
    } catch (const PageSelectionError& error) {
        return std::string(error.what()) + ".";
    }
}

long long mergedPageCount(const std::vector<ListedFile>& files, bool padOdd) {
    long long total = 0;
    for (const ListedFile& file : files) {
        const auto pages = static_cast<long long>(mergedPagesOf(file).size());
        total += pages + (padOdd && pages % 2 == 1 ? 1 : 0);
    }
    return total;
}
