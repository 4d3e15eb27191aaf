#pragma once
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "jobs/input_file.h"
#include "ui/dialogs.h"
#include "ui/file_list_model.h"
#include "ui/input_probe.h"
#include "ui/list_limits.h"

// Which job list: the numbers are the ones the window and command line pass.
enum class ListKind { Split = 1, Merge = 2, Mix = 3 };

// The few window controls the lists set besides their views. The window
// implements it over its widgets.
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

    // SplitStringGrid, MergeStringGrid, MixStringGrid: selects exactly these
    // rows (0 = the first file), the first of them current.
    virtual void selectGridRows(ListKind kind, const std::vector<int>& rows) = 0;
    virtual void focusGrid(ListKind kind) = 0;
};

// The Split, Merge and Mix lists of the main window with their selected rows:
// adding (with its probe and the default output names), removing and
// reordering. Each list is a model its view shows; rows count from 0. The
// window owns one and forwards its buttons and view events here.
class FileLists {
public:
    using Translate = std::function<std::string(const std::string& key)>;

    FileLists(InputProbe& probe, Dialogs& dialogs, Translate translate, FileListControls& controls);

    // Probes path and lists it: a split file replaces the one listed, merge
    // and mix refuse a file beyond their room before the probe. A file that
    // does not open leaves the list as it was.
    void addFile(ListKind kind, const std::string& path);

    // The remove button: the selected file, or the last once the selection
    // is past the end (repeated removes keep taking files).
    void removeSelectedFile(ListKind kind);
    // Removes the files of the given rows at once.
    void removeFiles(ListKind kind, std::vector<int> rows);
    // Moves the file of row `from` to row `to`, the rows between moving up or
    // down by one; the selection follows it.
    void moveFile(ListKind kind, int from, int to);
    // Moves the files of the given rows one place up (step -1) or down (+1),
    // keeping their order; the view then selects them and only them. Nothing
    // moves when one of them would leave the list. Returns the rows they are
    // in afterwards.
    std::vector<int> moveFiles(ListKind kind, std::vector<int> rows, int step);

    // The view's current row became `row`; a row past the last file moves the
    // view to the last file, an empty list records nothing.
    void selectRow(ListKind kind, int row);

    FileListModel& model(ListKind kind) { return *models_[index(kind)]; }
    const FileListModel& model(ListKind kind) const { return *models_[index(kind)]; }
    int filesCount(ListKind kind) const { return model(kind).count(); }
    // -1 while none is selected.
    int selectedRow(ListKind kind) const { return selectedRows_[index(kind)]; }
    // The listed files as the jobs read them, in order.
    std::vector<InputFile> inputFiles(ListKind kind) const;
    // The page selection of each merge file, in merge order ("" for all pages).
    std::vector<std::string> pageSelections() const;
    // Sets the page selection of the merge file in row; other rows are ignored.
    void setPageSelection(int row, const std::string& selection);

private:
    static std::size_t index(ListKind kind) { return static_cast<std::size_t>(kind) - 1; }
    int& selectedOf(ListKind kind) { return selectedRows_[index(kind)]; }
    // Whether the list has room for another file; says why not when it has none.
    bool hasRoom(ListKind kind);
    // The output names and buttons that follow a file added to the list.
    void followAddedFile(ListKind kind, const std::string& path);

    InputProbe& probe_;
    Dialogs& dialogs_;
    Translate translate_;
    FileListControls& controls_;

    // Split, merge and mix, in the order of ListKind.
    std::array<std::unique_ptr<FileListModel>, 3> models_;
    std::array<int, 3> selectedRows_{-1, -1, -1};
};
