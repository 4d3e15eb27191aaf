#include "ui/file_lists.h"

#include <algorithm>
#include <utility>

#include "jobs/output_naming.h"
#include "ui/message_text.h"

namespace {

constexpr int MixFiles = 2;

bool isFileRow(int row) { return row >= 1 && row <= FileList::MaxFiles; }

void swapRows(FileList& list, int a, int b) {
    for (int column = 1; column < FileList::ColumnCount; ++column) std::swap(list[column][a], list[column][b]);
}

}  // namespace

std::string listFullMessage(const FileLists::Translate& translate) {
    return textOf(messageText::listFull, translate);
}

InputFile FileList::inputFile(int row) const {
    return {cells[FileNameColumn][row], cells[FolderColumn][row], cells[PasswordColumn][row]};
}

FileLists::FileLists(InputProbe& probe, Dialogs& dialogs, Translate translate, FileListControls& controls)
    : probe_(probe), dialogs_(dialogs), translate_(std::move(translate)), controls_(controls) {}

// --- adding -------------------------------------------------------------

bool FileLists::addFileToList(const std::string& path, ListKind kind) {
    const int row = kind == ListKind::Split ? 1 : countOf(kind);
    if (!isFileRow(row)) return false;  // the add operations refuse such files before they get here

    const std::optional<ProbedInput> probed = probe_.probe(path);
    if (!probed) return false;

    FileList& list = listOf(kind);
    const InputFile input = inputFileFor(path, probed->password);
    list[FileList::FileNameColumn][row] = input.fileName;
    list[FileList::FolderColumn][row] = input.folder;
    list[FileList::PagesColumn][row] = std::to_string(probed->pageCount);
    list[FileList::PasswordColumn][row] = input.password;
    list[FileList::SelectionColumn][row].clear();
    refreshFileGrid(kind);
    return true;
}

void FileLists::addSplitFile(const std::string& path) {
    // A second file replaces the first: the split list holds one file.
    if (!addFileToList(path, ListKind::Split)) return;
    controls_.setAddEnabled(ListKind::Split, false);
    selectedOf(ListKind::Split) = 1;
    countOf(ListKind::Split) = 1;  // a replaced file leaves it at 1
    const OutputPlace place = defaultOutputPlace(inputFileFor(path));
    controls_.setBaseFileName(ListKind::Split, place.baseName);
    if (controls_.usesSourceFolder(ListKind::Split)) controls_.setDestinationFolder(ListKind::Split, place.folder);
}

void FileLists::addMergeFile(const std::string& path) {
    int& count = countOf(ListKind::Merge);
    // Refused before the probe, so that nobody types a password for nothing.
    if (count >= FileList::MaxFiles) {
        dialogs_.showMessage(listFullMessage(translate_));
        return;
    }
    ++count;
    if (count >= controls_.gridRowCount(ListKind::Merge)) controls_.setGridRowCount(ListKind::Merge, count + 1);
    if (!addFileToList(path, ListKind::Merge)) {
        --count;  // the grid keeps the row it gained
        return;
    }
    if (controls_.mergeDestinationFileName().empty())
        controls_.setMergeDestinationFileName(inputFileFor(path).folder + "output.pdf");
}

void FileLists::addMixFile(const std::string& path) {
    // The add button is disabled at two files, but a drop is not; refuse it
    // here, before the probe asks for a password.
    int& count = countOf(ListKind::Mix);
    if (count >= MixFiles) {
        dialogs_.showMessage(textOf(messageText::mixTakesTwo, translate_));
        return;
    }
    ++count;
    if (!addFileToList(path, ListKind::Mix)) {
        --count;
        return;
    }
    const OutputPlace place = defaultOutputPlace(inputFileFor(path));
    if (count == 1) controls_.setBaseFileName(ListKind::Mix, place.baseName);
    // Also for the second file: the folder of the file added last wins.
    if (controls_.usesSourceFolder(ListKind::Mix)) controls_.setDestinationFolder(ListKind::Mix, place.folder);
    if (count == MixFiles) controls_.setAddEnabled(ListKind::Mix, false);
}

void FileLists::addFile(ListKind kind, const std::string& path) {
    switch (kind) {
    case ListKind::Split: return addSplitFile(path);
    case ListKind::Merge: return addMergeFile(path);
    case ListKind::Mix: return addMixFile(path);
    }
}

// --- the grids ----------------------------------------------------------

void FileLists::refreshFileGrid(ListKind kind) {
    FileList& list = listOf(kind);
    if (kind != ListKind::Split) list = compactFileList(list);

    const int last = kind == ListKind::Split ? 1 : std::min(countOf(kind), FileList::MaxFiles);
    if (controls_.gridRowCount(kind) < last + 1) controls_.setGridRowCount(kind, last + 1);
    const int gridRows = controls_.gridRowCount(kind);
    for (int row = 1; row < gridRows; ++row)
        for (int column = 0; column < gridColumns(kind); ++column) controls_.setGridCell(kind, column, row, "");

    for (int row = 1; row <= last; ++row) {
        controls_.setGridCell(kind, 0, row, list.occupied(row) ? std::to_string(row) : "");
        for (int column = FileList::FileNameColumn; column < FileList::PasswordColumn; ++column)
            controls_.setGridCell(kind, column, row, list[column][row]);
        controls_.setGridCell(kind, FileList::PasswordColumn, row,
                              maskPassword(list[FileList::PasswordColumn][row]));
        if (kind == ListKind::Merge)
            controls_.setGridCell(kind, FileList::SelectionColumn, row, list[FileList::SelectionColumn][row]);
    }
}

FileList FileLists::compactFileList(const FileList& source) {
    FileList result;
    int target = 1;
    for (int row = 1; row <= FileList::MaxFiles; ++row) {
        if (!source.occupied(row)) continue;
        for (int column = 1; column < FileList::ColumnCount; ++column) result[column][target] = source[column][row];
        ++target;
    }
    return result;
}

std::string FileLists::maskPassword(const std::string& password) {
    return password.empty() ? std::string() : std::string(PasswordMark);
}

// --- removing and reordering --------------------------------------------

void FileLists::removeFileFromList(int row, ListKind kind) {
    if (kind != ListKind::Split) row = std::min(row, countOf(kind));
    if (isFileRow(row)) {
        FileList& list = listOf(kind);
        for (int column = 1; column < FileList::ColumnCount; ++column) list[column][row].clear();
    }
    if (kind == ListKind::Split) selectedOf(ListKind::Split) = -1;
    refreshFileGrid(kind);  // merge and mix: the compaction closes the gap
}

void FileLists::removeSelectedSplitFile() {
    const int selected = selectedOf(ListKind::Split);
    if (selected == -1) return;
    removeFileFromList(selected, ListKind::Split);
    countOf(ListKind::Split) = 0;
    controls_.setAddEnabled(ListKind::Split, true);
}

void FileLists::removeSelectedMergeFile() {
    // The selection stays: repeated removes take the row it names or, once
    // that is past the end, the last file.
    int& count = countOf(ListKind::Merge);
    const int selected = selectedOf(ListKind::Merge);
    if (selected == -1 || count == 0) return;
    removeFileFromList(selected, ListKind::Merge);
    count = std::max(0, count - 1);
}

void FileLists::removeSelectedMixFile() {
    int& count = countOf(ListKind::Mix);
    const int selected = selectedOf(ListKind::Mix);
    if (selected == -1) return;
    removeFileFromList(selected, ListKind::Mix);
    count = std::max(0, count - 1);
    controls_.setAddEnabled(ListKind::Mix, true);
}

void FileLists::moveMergeFileUp() {
    const int row = selectedOf(ListKind::Merge);
    if (row != -1) moveMergeFiles({row}, -1);
}

void FileLists::moveMergeFileDown() {
    const int row = selectedOf(ListKind::Merge);
    if (row != -1) moveMergeFiles({row}, 1);
}

void FileLists::moveMergeFile(int from, int to) {
    const int count = countOf(ListKind::Merge);
    if (from < 1 || from > count || to < 1 || to > count || from == to) return;
    FileList& list = listOf(ListKind::Merge);
    for (int row = from; row != to; row += to > from ? 1 : -1) swapRows(list, row, to > from ? row + 1 : row - 1);
    refreshFileGrid(ListKind::Merge);
    controls_.selectGridRow(ListKind::Merge, to);
    selectedOf(ListKind::Merge) = to;
}

void FileLists::removeMergeFiles(std::vector<int> rows) {
    // From the last, so that each removal leaves the rows before it in place.
    std::sort(rows.rbegin(), rows.rend());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    int& count = countOf(ListKind::Merge);
    for (int row : rows) {
        if (row < 1 || row > count) continue;
        removeFileFromList(row, ListKind::Merge);
        --count;
    }
}

std::vector<int> FileLists::moveMergeFiles(std::vector<int> rows, int step) {
    const int count = countOf(ListKind::Merge);
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    const bool fits = !rows.empty() && (step == -1 || step == 1) && rows.front() >= 1 && rows.back() <= count &&
                      rows.front() + step >= 1 && rows.back() + step <= count;
    if (!fits) return rows;
    // Each moved row changes places with its neighbour, starting at the end
    // the rows move towards, so that a block of rows moves as one.
    FileList& list = listOf(ListKind::Merge);
    if (step > 0) std::reverse(rows.begin(), rows.end());
    for (int& row : rows) {
        swapRows(list, row, row + step);
        row += step;
    }
    if (step > 0) std::reverse(rows.begin(), rows.end());
    refreshFileGrid(ListKind::Merge);
    controls_.selectGridRows(ListKind::Merge, rows);
    controls_.focusGrid(ListKind::Merge);
    selectedOf(ListKind::Merge) = rows.front();
    return rows;
}

void FileLists::removeSelectedFile(ListKind kind) {
    switch (kind) {
    case ListKind::Split: return removeSelectedSplitFile();
    case ListKind::Merge: return removeSelectedMergeFile();
    case ListKind::Mix: return removeSelectedMixFile();
    }
}

// --- selection ----------------------------------------------------------

void FileLists::selectSplitRow(int row) {
    if (row < 1) return;  // the header row
    selectedOf(ListKind::Split) = row;  // whether or not it holds a file
}

void FileLists::selectMergeRow(int row) { selectWithinList(ListKind::Merge, row); }

void FileLists::selectMixRow(int row) { selectWithinList(ListKind::Mix, row); }

void FileLists::selectRow(ListKind kind, int row) {
    if (kind == ListKind::Split) selectSplitRow(row);
    else selectWithinList(kind, row);
}

// A row past the last file moves the grid to the last file; an empty list
// records nothing.
void FileLists::selectWithinList(ListKind kind, int row) {
    if (row < 1) return;
    const int count = countOf(kind);
    if (row <= count) {
        selectedOf(kind) = row;
    } else if (count > 0) {
        controls_.selectGridRow(kind, count);
        selectedOf(kind) = count;
    }
}

// --- reading ------------------------------------------------------------

const FileList& FileLists::list(ListKind kind) const { return lists_[index(kind)]; }
int FileLists::filesCount(ListKind kind) const { return filesCounts_[index(kind)]; }
int FileLists::selectedRow(ListKind kind) const { return selectedRows_[index(kind)]; }

std::vector<InputFile> FileLists::inputFiles(ListKind kind) const {
    const FileList& table = list(kind);
    std::vector<InputFile> files;
    for (int row = 1; row <= std::min(filesCount(kind), FileList::MaxFiles); ++row)
        if (table.occupied(row)) files.push_back(table.inputFile(row));
    return files;
}

std::vector<std::string> FileLists::pageSelections() const {
    const FileList& table = list(ListKind::Merge);
    std::vector<std::string> selections;
    for (int row = 1; row <= std::min(filesCount(ListKind::Merge), FileList::MaxFiles); ++row)
        if (table.occupied(row)) selections.push_back(table[FileList::SelectionColumn][row]);
    return selections;
}

void FileLists::setPageSelection(int row, const std::string& selection) {
    FileList& table = listOf(ListKind::Merge);
    if (row >= 1 && row <= countOf(ListKind::Merge) && table.occupied(row))
        table[FileList::SelectionColumn][row] = selection;
    refreshFileGrid(ListKind::Merge);
}
