#include "ui/file_lists.h"

#include <algorithm>
#include <utility>

#include "jobs/output_naming.h"

namespace {

constexpr int MixFiles = 2;

// The text of key in the user's language, or the English text when the
// language has none.
std::string translatedOr(const TFileLists::Translate& translate, const std::string& key, const std::string& english) {
    const std::string text = translate ? translate(key) : std::string();
    return text.empty() ? english : text;
}

bool isFileRow(int row) { return row >= 1 && row <= TFileList::MaxFiles; }

void swapRows(TFileList& list, int a, int b) {
    for (int column = 1; column < TFileList::ColumnCount; ++column) std::swap(list[column][a], list[column][b]);
}

}  // namespace

std::string listFullMessage(const TFileLists::Translate& translate) {
    return translatedOr(translate, "MsgErrListFull", "The list is full: it holds at most 50 files.");
}

InputFile TFileList::inputFile(int row) const {
    return {cells[FileNameColumn][row], cells[FolderColumn][row], cells[PasswordColumn][row]};
}

TFileLists::TFileLists(InputProbe& probe, Dialogs& dialogs, Translate translate, FileListControls& controls)
    : probe_(probe), dialogs_(dialogs), translate_(std::move(translate)), controls_(controls) {}

// --- adding -------------------------------------------------------------

bool TFileLists::addFileToList(const std::string& path, ListKind kind) {
    const int row = kind == ListKind::Split ? 1 : countOf(kind);
    if (!isFileRow(row)) return false;  // the add operations refuse such files before they get here

    const std::optional<ProbedInput> probed = probe_.probe(path);
    if (!probed) return false;

    TFileList& list = listOf(kind);
    const InputFile input = inputFileFor(path, probed->password);
    list[TFileList::FileNameColumn][row] = input.fileName;
    list[TFileList::FolderColumn][row] = input.folder;
    list[TFileList::PagesColumn][row] = std::to_string(probed->pageCount);
    list[TFileList::PasswordColumn][row] = input.password;
    refreshFileGrid(kind);
    return true;
}

void TFileLists::addSplitFile(const std::string& path) {
    // A second file replaces the first: the split list holds one file.
    if (!addFileToList(path, ListKind::Split)) return;
    controls_.setAddEnabled(ListKind::Split, false);
    selectedOf(ListKind::Split) = 1;
    countOf(ListKind::Split) = 1;  // a replaced file leaves it at 1
    const OutputPlace place = defaultOutputPlace(inputFileFor(path));
    controls_.setBaseFileName(ListKind::Split, place.baseName);
    if (controls_.usesSourceFolder(ListKind::Split)) controls_.setDestinationFolder(ListKind::Split, place.folder);
}

void TFileLists::addMergeFile(const std::string& path) {
    int& count = countOf(ListKind::Merge);
    // Refused before the probe, so that nobody types a password for nothing.
    if (count >= TFileList::MaxFiles) {
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

void TFileLists::addMixFile(const std::string& path) {
    // The add button is disabled at two files, but a drop is not; refuse it
    // here, before the probe asks for a password.
    int& count = countOf(ListKind::Mix);
    if (count >= MixFiles) {
        dialogs_.showMessage(
            translatedOr(translate_, "MsgErrMixTwoFiles", "The mix takes two files. Remove one before adding another."));
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

// --- the grids ----------------------------------------------------------

void TFileLists::refreshFileGrid(ListKind kind) {
    TFileList& list = listOf(kind);
    if (kind != ListKind::Split) list = compactFileList(list);

    const int last = kind == ListKind::Split ? 1 : std::min(countOf(kind), TFileList::MaxFiles);
    if (controls_.gridRowCount(kind) < last + 1) controls_.setGridRowCount(kind, last + 1);
    const int gridRows = controls_.gridRowCount(kind);
    for (int row = 1; row < gridRows; ++row)
        for (int column = 0; column < TFileList::ColumnCount; ++column) controls_.setGridCell(kind, column, row, "");

    for (int row = 1; row <= last; ++row) {
        controls_.setGridCell(kind, 0, row, list.occupied(row) ? std::to_string(row) : "");
        for (int column = TFileList::FileNameColumn; column < TFileList::PasswordColumn; ++column)
            controls_.setGridCell(kind, column, row, list[column][row]);
        controls_.setGridCell(kind, TFileList::PasswordColumn, row,
                              maskPassword(list[TFileList::PasswordColumn][row]));
    }
}

TFileList TFileLists::compactFileList(const TFileList& source) {
    TFileList result;
    int target = 1;
    for (int row = 1; row <= TFileList::MaxFiles; ++row) {
        if (!source.occupied(row)) continue;
        for (int column = 1; column < TFileList::ColumnCount; ++column) result[column][target] = source[column][row];
        ++target;
    }
    return result;
}

std::string TFileLists::maskPassword(const std::string& password) {
    // UTF-8 continuation bytes (10xxxxxx) belong to the character before them.
    const auto characters = std::count_if(password.begin(), password.end(),
                                          [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
    return std::string(static_cast<std::size_t>(characters), '*');
}

// --- removing and reordering --------------------------------------------

void TFileLists::removeFileFromList(int row, ListKind kind) {
    if (kind != ListKind::Split) row = std::min(row, countOf(kind));
    if (isFileRow(row)) {
        TFileList& list = listOf(kind);
        for (int column = 1; column < TFileList::ColumnCount; ++column) list[column][row].clear();
    }
    if (kind == ListKind::Split) selectedOf(ListKind::Split) = -1;
    refreshFileGrid(kind);  // merge and mix: the compaction closes the gap
}

void TFileLists::splitBtnRemoveFileClick() {
    const int selected = selectedOf(ListKind::Split);
    if (selected == -1) return;
    removeFileFromList(selected, ListKind::Split);
    countOf(ListKind::Split) = 0;
    controls_.setAddEnabled(ListKind::Split, true);
}

void TFileLists::mergeBtnRemoveFileClick() {
    // The selection stays: repeated removes take the row it names or, once
    // that is past the end, the last file.
    int& count = countOf(ListKind::Merge);
    const int selected = selectedOf(ListKind::Merge);
    if (selected == -1 || count == 0) return;
    removeFileFromList(selected, ListKind::Merge);
    count = std::max(0, count - 1);
}

void TFileLists::mixBtnRemoveFileClick() {
    int& count = countOf(ListKind::Mix);
    const int selected = selectedOf(ListKind::Mix);
    if (selected == -1) return;
    removeFileFromList(selected, ListKind::Mix);
    count = std::max(0, count - 1);
    controls_.setAddEnabled(ListKind::Mix, true);
}

void TFileLists::mergeBtnMoveUpClick() {
    const int row = selectedOf(ListKind::Merge);
    if (row == -1 || countOf(ListKind::Merge) == 0 || row <= 1 || row > TFileList::MaxFiles) return;
    moveMergeRow(row, row - 1);
}

void TFileLists::mergeBtnMoveDownClick() {
    const int row = selectedOf(ListKind::Merge);
    if (row == -1 || countOf(ListKind::Merge) == 0 || row < 1 || row >= countOf(ListKind::Merge)) return;
    moveMergeRow(row, row + 1);
}

// Swaps the selected merge row with its neighbour `to`, which the selection follows.
void TFileLists::moveMergeRow(int from, int to) {
    swapRows(listOf(ListKind::Merge), from, to);
    refreshFileGrid(ListKind::Merge);
    controls_.selectGridRow(ListKind::Merge, to);
    controls_.focusGrid(ListKind::Merge);
    selectedOf(ListKind::Merge) = to;
}

// --- selection ----------------------------------------------------------

void TFileLists::splitStringGridSelectCell(int row) {
    if (row < 1) return;  // the header row
    selectedOf(ListKind::Split) = row;  // whether or not it holds a file
}

void TFileLists::mergeStringGridSelectCell(int row) { selectWithinList(ListKind::Merge, row); }

void TFileLists::mixStringGridSelectCell(int row) { selectWithinList(ListKind::Mix, row); }

// A row past the last file moves the grid to the last file; an empty list
// records nothing.
void TFileLists::selectWithinList(ListKind kind, int row) {
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

const TFileList& TFileLists::list(ListKind kind) const { return lists_[index(kind)]; }
int TFileLists::filesCount(ListKind kind) const { return filesCounts_[index(kind)]; }
int TFileLists::selectedRow(ListKind kind) const { return selectedRows_[index(kind)]; }

std::vector<InputFile> TFileLists::inputFiles(ListKind kind) const {
    const TFileList& table = list(kind);
    std::vector<InputFile> files;
    for (int row = 1; row <= std::min(filesCount(kind), TFileList::MaxFiles); ++row)
        if (table.occupied(row)) files.push_back(table.inputFile(row));
    return files;
}
