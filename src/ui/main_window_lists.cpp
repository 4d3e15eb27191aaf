#include <QHeaderView>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolButton>

#include "ui/field_bytes.h"
#include "ui/main_window.h"

// The window's side of the three file lists: it forwards its add operations,
// buttons and grid selections to them and shows their state in its controls.

void TFormTest::_addSplitFile(const std::string& path) { _lists.addSplitFile(path); }
void TFormTest::_addMergeFile(const std::string& path) { _lists.addMergeFile(path); }
void TFormTest::_addMixFile(const std::string& path) { _lists.addMixFile(path); }

void TFormTest::_connectListHandlers() {
    auto on = [this](QToolButton* button, void (TFileLists::*handler)()) {
        connect(button, &QToolButton::clicked, this, [this, handler] { _guarded([this, handler] { (_lists.*handler)(); }); });
    };
    on(splitBtnRemoveFile, &TFileLists::splitBtnRemoveFileClick);
    on(mergeBtnRemoveFile, &TFileLists::mergeBtnRemoveFileClick);
    on(mixBtnRemoveFile, &TFileLists::mixBtnRemoveFileClick);
    on(mergeBtnMoveUp, &TFileLists::mergeBtnMoveUpClick);
    on(mergeBtnMoveDown, &TFileLists::mergeBtnMoveDownClick);

    auto onSelect = [this](QTableWidget* grid, void (TFileLists::*handler)(int)) {
        connect(grid, &QTableWidget::currentCellChanged, this, [this, handler](int row, int, int, int) {
            if (row >= 0) _guarded([this, handler, row] { (_lists.*handler)(row + 1); });
        });
    };
    onSelect(SplitStringGrid, &TFileLists::splitStringGridSelectCell);
    onSelect(MergeStringGrid, &TFileLists::mergeStringGridSelectCell);
    onSelect(MixStringGrid, &TFileLists::mixStringGridSelectCell);
}

// ---------------------------------------------------------------- controls the lists use

QTableWidget* TFormTest::_gridOf(ListKind kind) const {
    switch (kind) {
    case ListKind::Split: return SplitStringGrid;
    case ListKind::Merge: return MergeStringGrid;
    case ListKind::Mix: break;
    }
    return MixStringGrid;
}

void TFormTest::setAddEnabled(ListKind kind, bool enabled) {
    (kind == ListKind::Split ? splitBtnAddFile : kind == ListKind::Mix ? mixBtnAddFile : mergeBtnAddFile)
        ->setEnabled(enabled);
}

void TFormTest::setBaseFileName(ListKind kind, const std::string& text) {
    setFieldBytes(kind == ListKind::Mix ? mix_base_filename : split_base_filename, text);
}

bool TFormTest::usesSourceFolder(ListKind kind) const {
    return (kind == ListKind::Mix ? mix_dest_source : split_dest_source)->isChecked();
}

void TFormTest::setDestinationFolder(ListKind kind, const std::string& folder) {
    setFieldBytes(kind == ListKind::Mix ? mix_destination_folder : split_destination_folder, folder);
}

std::string TFormTest::mergeDestinationFileName() const {
    return fieldBytes(merge_destination_filename);
}

void TFormTest::setMergeDestinationFileName(const std::string& path) {
    setFieldBytes(merge_destination_filename, path);
}

// The grids show their header apart from the rows, so grid row r is table row r - 1.
int TFormTest::gridRowCount(ListKind kind) const {
    return _gridOf(kind)->rowCount() + 1;
}

void TFormTest::setGridRowCount(ListKind kind, int rows) {
    _gridOf(kind)->setRowCount(std::max(rows - 1, 0));
}

void TFormTest::setGridCell(ListKind kind, int column, int row, const std::string& text) {
    QTableWidget* grid = _gridOf(kind);
    const QString value = QString::fromStdString(text);
    if (row == 0) {
        grid->setHorizontalHeaderItem(column, new QTableWidgetItem(value));
        return;
    }
    if (QTableWidgetItem* item = grid->item(row - 1, column)) item->setText(value);
    else grid->setItem(row - 1, column, new QTableWidgetItem(value));
}

void TFormTest::selectGridRow(ListKind kind, int row) {
    QTableWidget* grid = _gridOf(kind);
    if (row >= 1 && row <= grid->rowCount()) grid->setCurrentCell(row - 1, 0);
}

void TFormTest::focusGrid(ListKind kind) {
    _gridOf(kind)->setFocus();
}
