#pragma once
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "ui/dialogs.h"
#include "ui/input_probe.h"
#include "jobs/input_file.h"

// Which job list: the numbers are the ones the window and command line pass.
enum class ListKind { Split = 1, Merge = 2, Mix = 3 };

// The table behind one job list: 6 columns by 51 rows of strings, indexed
// [column][row]. Column 0 and row 0 are never used; a file occupies one row
// from 1 to 50.
struct FileList {
    static constexpr int ColumnCount = 6;
    static constexpr int RowCount = 51;
    static constexpr int MaxFiles = RowCount - 1;

    static constexpr int FileNameColumn = 1;  // the file name without its folder
    static constexpr int FolderColumn = 2;    // the folder, with its trailing separator
    static constexpr int PagesColumn = 3;     // the page count as decimal text
    static constexpr int PasswordColumn = 4;  // the password that opened it, or empty
    // The merge list only: the pages to take, as "1-3,z" (page_selection.h); empty for all.
    static constexpr int SelectionColumn = 5;

    std::array<std::array<std::string, RowCount>, ColumnCount> cells;

    std::array<std::string, RowCount>& operator[](int column) { return cells[column]; }
    const std::array<std::string, RowCount>& operator[](int column) const { return cells[column]; }

    bool occupied(int row) const { return !cells[FileNameColumn][row].empty(); }
    InputFile inputFile(int row) const;
};

// The few window controls the lists read and write. The window implements it
// over its widgets; grids count their header as row 0.
class FileListControls {
public:
    virtual ~FileListControls() = default;

    // Split and Mix only: splitBtnAddFile / mixBtnAddFile, split_base_filename /
    // mix_base_filename, the "Use source folder" choices split_dest_source /
    // mix_dest_source, and split_destination_folder / mix_destination_folder.
    virtual void setAddEnabled(ListKind kind, bool enabled) = 0;
    virtual void setBaseFileName(ListKind kind, const std::string& text) = 0;
    virtual bool usesSourceFolder(ListKind kind) const = 0;
    virtual void setDestinationFolder(ListKind kind, const std::string& folder) = 0;

    // merge_destination_filename.
    virtual std::string mergeDestinationFileName() const = 0;
    virtual void setMergeDestinationFileName(const std::string& path) = 0;

    // SplitStringGrid, MergeStringGrid, MixStringGrid; the row count includes
    // the header. The merge grid shows the page selections in a column of
    // their own (FileList::SelectionColumn) that the others lack.
    virtual int gridRowCount(ListKind kind) const = 0;
    virtual void setGridRowCount(ListKind kind, int rows) = 0;
    virtual void setGridCell(ListKind kind, int column, int row, const std::string& text) = 0;
    // Makes row the grid's current row and the only one selected.
    virtual void selectGridRow(ListKind kind, int row) = 0;
    // Selects exactly these rows, the first of them current.
    virtual void selectGridRows(ListKind kind, const std::vector<int>& rows) {
        if (!rows.empty()) selectGridRow(kind, rows.front());
    }
    virtual void focusGrid(ListKind kind) = 0;
};

// The merge list's refusal of a file beyond its 50, in the user's language.
std::string listFullMessage(const std::function<std::string(const std::string& key)>& translate);

// The Split, Merge and Mix lists of the main window with their counters and
// selected rows: adding (with its probe and the default output names),
// removing, reordering the merge list and keeping each grid in step with its
// table. The window owns one and forwards its buttons and grid events here.
class FileLists {
public:
    using Translate = std::function<std::string(const std::string& key)>;

    FileLists(InputProbe& probe, Dialogs& dialogs, Translate translate, FileListControls& controls);

    void addSplitFile(const std::string& path);
    void addMergeFile(const std::string& path);
    void addMixFile(const std::string& path);
    void addFile(ListKind kind, const std::string& path);

    // Probes path and stores it in the list's row (1 for split, the counter for
    // merge and mix, which the callers have already raised); false when the
    // file could not be opened, leaving the list unchanged.
    bool addFileToList(const std::string& path, ListKind kind);
    void removeFileFromList(int row, ListKind kind);
    void refreshFileGrid(ListKind kind);

    // The occupied rows of source moved up, in their order, to rows 1, 2, 3...
    static FileList compactFileList(const FileList& source);
    // The same mark for every password, so that the grid does not tell its
    // length; "" for a file without one.
    static std::string maskPassword(const std::string& password);
    static constexpr const char* PasswordMark = "\u25CF\u25CF\u25CF\u25CF\u25CF\u25CF";

    void removeSelectedSplitFile();
    void removeSelectedMergeFile();
    void removeSelectedMixFile();
    void moveMergeFileUp();
    void moveMergeFileDown();
    // Moves the merge file of row `from` to row `to`, the rows between moving
    // up or down by one; the selection follows it.
    void moveMergeFile(int from, int to);
    // Moves the merge files of the given rows one place up (step -1) or down
    // (+1), keeping their order; the grid then selects them and only them.
    // Nothing moves when one of them would leave the list. Returns the rows
    // they are in afterwards.
    std::vector<int> moveMergeFiles(std::vector<int> rows, int step);
    // Removes the merge files of the given rows at once.
    void removeMergeFiles(std::vector<int> rows);
    // The remove button of the kind's list.
    void removeSelectedFile(ListKind kind);

    // A cell of the grid's data row `row` (1 = first file) became selected.
    void selectSplitRow(int row);
    void selectMergeRow(int row);
    void selectMixRow(int row);
    void selectRow(ListKind kind, int row);

    const FileList& list(ListKind kind) const;
    int filesCount(ListKind kind) const;
    int selectedRow(ListKind kind) const;
    // Rows 1 to the file count, as the jobs read them.
    std::vector<InputFile> inputFiles(ListKind kind) const;
    // The page selection of each merge file, in merge order ("" for all pages).
    std::vector<std::string> pageSelections() const;
    // Sets the page selection of the merge file in row (1 = the first file);
    // rows without a file are left empty.
    void setPageSelection(int row, const std::string& selection);
    // The grid columns a list shows: the merge list has its page selections too.
    static int gridColumns(ListKind kind) { return kind == ListKind::Merge ? 6 : 5; }

private:
    static std::size_t index(ListKind kind) { return static_cast<std::size_t>(kind) - 1; }
    FileList& listOf(ListKind kind) { return lists_[index(kind)]; }
    int& countOf(ListKind kind) { return filesCounts_[index(kind)]; }
    int& selectedOf(ListKind kind) { return selectedRows_[index(kind)]; }
    void selectWithinList(ListKind kind, int row);

    InputProbe& probe_;
    Dialogs& dialogs_;
    Translate translate_;
    FileListControls& controls_;

    // Split, merge and mix, in the order of ListKind.
    std::array<FileList, 3> lists_;
    std::array<int, 3> filesCounts_{0, 0, 0};
    std::array<int, 3> selectedRows_{-1, -1, -1};  // -1: no row selected
};
