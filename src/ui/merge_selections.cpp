#include "ui/merge_selections.h"

#include <QBrush>
#include <QColor>
#include <cstdlib>

#include "jobs/page_selection.h"
#include "ui/file_grid.h"

namespace {

int pageCountOf(const FileList& list, int row) { return std::atoi(list[FileList::PagesColumn][row].c_str()); }

}  // namespace

std::vector<int> selectedPagesOf(const FileList& list, int row) {
    return selectedPages(list[FileList::SelectionColumn][row], pageCountOf(list, row), list.inputFile(row).path());
}

std::vector<int> mergedPagesOf(const FileList& list, int row) {
    try {
        return selectedPagesOf(list, row);
    } catch (const PageSelectionError&) {
        return selectedPages("", pageCountOf(list, row), list.inputFile(row).path());
    }
}

std::string pageSelectionError(const FileList& list, int row) {
    try {
        selectedPagesOf(list, row);
        return std::string();
    } catch (const PageSelectionError& error) {
        return std::string(error.what()) + ".";
    }
}

long long mergedPageCount(const FileList& list, int files, bool padOdd) {
    long long total = 0;
    for (int row = 1; row <= files; ++row) {
        const auto pages = static_cast<long long>(mergedPagesOf(list, row).size());
        total += pages + (padOdd && pages % 2 == 1 ? 1 : 0);
    }
    return total;
}

int markPageSelections(FileGrid& grid, const FileList& list, int files, const std::string& hint) {
    int firstWrong = 0;
    for (int row = 1; row <= grid.rowCount(); ++row) {
        QTableWidgetItem* cell = grid.item(row - 1, grid.editableColumn());
        if (!cell) continue;
        const std::string error = row <= files ? pageSelectionError(list, row) : std::string();
        cell->setBackground(error.empty() ? QBrush() : QBrush(QColor(0xff, 0xd6, 0xd6)));
        cell->setForeground(error.empty() ? QBrush() : QBrush(QColor(0x9c, 0x00, 0x06)));
        cell->setToolTip(QString::fromStdString(error.empty() ? hint : error));
        if (!error.empty() && firstWrong == 0) firstWrong = row;
    }
    return firstWrong;
}
