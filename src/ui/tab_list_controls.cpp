#include "ui/tab_list_controls.h"

#include <QToolButton>

#include "ui/file_grid.h"

#include "ui/destination_group.h"
#include "ui/merge_tab.h"
#include "ui/mix_tab.h"
#include "ui/split_tab.h"

JobTab& TabListControls::tab(ListKind kind) const {
    switch (kind) {
    case ListKind::Split: return split_;
    case ListKind::Merge: return merge_;
    case ListKind::Mix: break;
    }
    return mix_;
}

FileGrid* TabListControls::grid(ListKind kind) const { return tab(kind).fileGrid(); }

void TabListControls::setAddEnabled(ListKind kind, bool enabled) { tab(kind).addButton()->setEnabled(enabled); }

// The Split and Mix lists only: the merge list has an output file instead.
void TabListControls::setBaseFileName(ListKind kind, const std::string& text) {
    (kind == ListKind::Mix ? mix_.destination() : split_.destination()).setBaseName(text);
}

bool TabListControls::usesSourceFolder(ListKind kind) const {
    return (kind == ListKind::Mix ? mix_.destination() : split_.destination()).usesSourceFolder();
}

void TabListControls::setDestinationFolder(ListKind kind, const std::string& folder) {
    (kind == ListKind::Mix ? mix_.destination() : split_.destination()).setFolder(folder);
}

std::string TabListControls::mergeDestinationFileName() const { return merge_.outputPath(); }

void TabListControls::setMergeDestinationFileName(const std::string& path) { merge_.setOutputPath(path); }

// Whatever keys are held (Ctrl with Ctrl+Up, say), the selection becomes these
// rows alone.
void TabListControls::selectGridRows(ListKind kind, const std::vector<int>& rows) {
    const QAbstractItemModel* list = grid(kind)->model();
    QItemSelection selection;
    for (int row : rows)
        if (row >= 0 && row < list->rowCount())
            selection.select(list->index(row, 0), list->index(row, list->columnCount() - 1));
    if (selection.isEmpty()) return;
    QItemSelectionModel* model = grid(kind)->selectionModel();
    model->setCurrentIndex(selection.first().topLeft(), QItemSelectionModel::NoUpdate);
    model->select(selection, QItemSelectionModel::ClearAndSelect);
}

void TabListControls::focusGrid(ListKind kind) { grid(kind)->setFocus(); }
