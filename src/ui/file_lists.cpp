#include "ui/file_lists.h"

#include <algorithm>
#include <utility>

#include "jobs/output_naming.h"
#include "ui/message_text.h"

namespace {

constexpr int MixFiles = 2;

// Sorted, each row once.
std::vector<int> distinctRows(std::vector<int> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

}  // namespace

FileLists::FileLists(InputProbe& probe, Dialogs& dialogs, Translate translate, FileListControls& controls)
    : probe_(probe), dialogs_(dialogs), translate_(std::move(translate)), controls_(controls) {
    for (ListKind kind : {ListKind::Split, ListKind::Merge, ListKind::Mix})
        models_[index(kind)] = std::make_unique<FileListModel>(kind == ListKind::Merge);
}

// --- adding -------------------------------------------------------------

bool FileLists::hasRoom(ListKind kind) {
    const int count = filesCount(kind);
    switch (kind) {
    case ListKind::Split: return true;  // a second file replaces the first
    case ListKind::Merge:
        if (count < MaxListedFiles) return true;
        dialogs_.showMessage(listFullMessage(translate_));
        return false;
    case ListKind::Mix:
        // The add button is disabled at two files, but a drop is not.
        if (count < MixFiles) return true;
        dialogs_.showMessage(textOf(messageText::mixTakesTwo, translate_));
        return false;
    }
    return false;
}

void FileLists::addFile(ListKind kind, const std::string& path) {
    // Refused before the probe, so that nobody types a password for nothing.
    if (!hasRoom(kind)) return;
    const std::optional<ProbedInput> probed = probe_.probe(path);
    if (!probed) return;

    ListedFile file;
    file.input = inputFileFor(path, probed->password);
    file.pageCount = probed->pageCount;
    FileListModel& list = model(kind);
    if (kind == ListKind::Split && list.count() > 0) list.replace(0, std::move(file));
    else list.append(std::move(file));
    followAddedFile(kind, path);
}

void FileLists::followAddedFile(ListKind kind, const std::string& path) {
    const OutputPlace place = defaultOutputPlace(inputFileFor(path));
    switch (kind) {
    case ListKind::Split:
        controls_.setAddEnabled(ListKind::Split, false);
        selectedOf(ListKind::Split) = 0;
        controls_.setBaseFileName(ListKind::Split, place.baseName);
        if (controls_.usesSourceFolder(ListKind::Split)) controls_.setDestinationFolder(ListKind::Split, place.folder);
        return;
    case ListKind::Merge:
        if (controls_.mergeDestinationFileName().empty())
            controls_.setMergeDestinationFileName(inputFileFor(path).folder + "output.pdf");
        return;
    case ListKind::Mix:
        if (filesCount(ListKind::Mix) == 1) controls_.setBaseFileName(ListKind::Mix, place.baseName);
        // Also for the second file: the folder of the file added last wins.
        if (controls_.usesSourceFolder(ListKind::Mix)) controls_.setDestinationFolder(ListKind::Mix, place.folder);
        if (filesCount(ListKind::Mix) == MixFiles) controls_.setAddEnabled(ListKind::Mix, false);
        return;
    }
}

// --- removing -----------------------------------------------------------

void FileLists::removeSelectedFile(ListKind kind) {
    const int selected = selectedOf(kind);
    if (selected == -1 || filesCount(kind) == 0) return;
    removeFiles(kind, {std::min(selected, filesCount(kind) - 1)});
}

void FileLists::removeFiles(ListKind kind, std::vector<int> rows) {
    rows = distinctRows(std::move(rows));
    if (rows.empty()) return;
    FileListModel& list = model(kind);
    // From the last, so that each removal leaves the rows before it in place.
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) list.remove(*row);
    if (list.count() == 0) selectedOf(kind) = -1;
    if (kind != ListKind::Merge) controls_.setAddEnabled(kind, true);
}

// --- moving -------------------------------------------------------------

void FileLists::moveFile(ListKind kind, int from, int to) {
    const int count = filesCount(kind);
    if (from < 0 || from >= count || to < 0 || to >= count || from == to) return;
    FileListModel& list = model(kind);
    const int step = to > from ? 1 : -1;
    for (int row = from; row != to; row += step) list.swapFiles(row, row + step);
    controls_.selectGridRows(kind, {to});
    selectedOf(kind) = to;
}

std::vector<int> FileLists::moveFiles(ListKind kind, std::vector<int> rows, int step) {
    const int count = filesCount(kind);
    rows = distinctRows(std::move(rows));
    const bool fits = !rows.empty() && (step == -1 || step == 1) && rows.front() >= 0 && rows.back() < count &&
                      rows.front() + step >= 0 && rows.back() + step < count;
    if (!fits) return rows;
    // Each moved row changes places with its neighbour, starting at the end
    // the rows move towards, so that a block of rows moves as one.
    FileListModel& list = model(kind);
    if (step > 0) std::reverse(rows.begin(), rows.end());
    for (int& row : rows) {
        list.swapFiles(row, row + step);
        row += step;
    }
    if (step > 0) std::reverse(rows.begin(), rows.end());
    controls_.selectGridRows(kind, rows);
    controls_.focusGrid(kind);
    selectedOf(kind) = rows.front();
    return rows;
}

// --- selection ----------------------------------------------------------

void FileLists::selectRow(ListKind kind, int row) {
    if (row < 0) return;
    const int count = filesCount(kind);
    if (row < count) {
        selectedOf(kind) = row;
    } else if (count > 0) {
        controls_.selectGridRows(kind, {count - 1});
        selectedOf(kind) = count - 1;
    }
}

// --- reading ------------------------------------------------------------

std::vector<InputFile> FileLists::inputFiles(ListKind kind) const {
    std::vector<InputFile> files;
    for (int row = 0; row < filesCount(kind); ++row) files.push_back(model(kind).file(row).input);
    return files;
}

std::vector<std::string> FileLists::pageSelections() const {
    std::vector<std::string> selections;
    for (int row = 0; row < filesCount(ListKind::Merge); ++row)
        selections.push_back(model(ListKind::Merge).file(row).pageSelection);
    return selections;
}

void FileLists::setPageSelection(int row, const std::string& selection) {
    model(ListKind::Merge).setPageSelection(row, selection);
}
