#include "ui/tab_list_controls.h"

#include <QTableWidget>
#include <QToolButton>
#include <algorithm>

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

QTableWidget* TabListControls::grid(ListKind kind) const { return tab(kind).fileGrid(); }

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

// The grids show their header apart from the rows, so grid row r is table row r - 1.
int TabListControls::gridRowCount(ListKind kind) const { return grid(kind)->rowCount() + 1; }

void TabListControls::setGridRowCount(ListKind kind, int rows) { grid(kind)->setRowCount(std::max(rows - 1, 0)); }

void TabListControls::setGridCell(ListKind kind, int column, int row, const std::string& text) {
    QTableWidget* table = grid(kind);
    const QString value = QString::fromStdString(text);
    if (row == 0) {
        table->setHorizontalHeaderItem(column, new QTableWidgetItem(value));
        return;
    }
    if (QTableWidgetItem* item = table->item(row - 1, column)) {
        item->setText(value);
        return;
    }
    auto* item = new QTableWidgetItem(value);
    if (column != tab(kind).fileGrid()->editableColumn()) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    table->setItem(row - 1, column, item);
}

void TabListControls::selectGridRow(ListKind kind, int row) { selectGridRows(kind, {row}); }

// Whatever keys are held (Ctrl with Ctrl+Up, say), the selection becomes these
// rows alone.
void TabListControls::selectGridRows(ListKind kind, const std::vector<int>& rows) {
    QTableWidget* table = grid(kind);
    QItemSelection selection;
    for (int row : rows)
        if (row >= 1 && row <= table->rowCount())
            selection.select(table->model()->index(row - 1, 0), table->model()->index(row - 1, table->columnCount() - 1));
    if (selection.isEmpty()) return;
    QItemSelectionModel* model = table->selectionModel();
    model->setCurrentIndex(selection.first().topLeft(), QItemSelectionModel::NoUpdate);
    model->select(selection, QItemSelectionModel::ClearAndSelect);
}

void TabListControls::focusGrid(ListKind kind) { grid(kind)->setFocus(); }
