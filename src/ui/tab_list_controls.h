#pragma once
#include "ui/file_lists.h"

class JobTab;
class MergeTab;
class MixTab;
class FileGrid;
class SplitTab;

// The file lists' view of the job tabs: their grids, add buttons, default
// output names and the merge output field.
class TabListControls : public FileListControls {
public:
    TabListControls(SplitTab& split, MergeTab& merge, MixTab& mix) : split_(split), merge_(merge), mix_(mix) {}

    JobTab& tab(ListKind kind) const;

    void setAddEnabled(ListKind kind, bool enabled) override;
    void setBaseFileName(ListKind kind, const std::string& text) override;
    bool usesSourceFolder(ListKind kind) const override;
    void setDestinationFolder(ListKind kind, const std::string& folder) override;
    std::string mergeDestinationFileName() const override;
    void setMergeDestinationFileName(const std::string& path) override;
    void selectGridRows(ListKind kind, const std::vector<int>& rows) override;
    void focusGrid(ListKind kind) override;

private:
    FileGrid* grid(ListKind kind) const;

    SplitTab& split_;
    MergeTab& merge_;
    MixTab& mix_;
};
