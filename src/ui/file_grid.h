#pragma once
#include <QTableView>

class QMimeData;

// The view of a job list: a "#" column with the row numbers, then file name,
// folder, page count and password. Columns start 51, 399, 332, 73 and 78
// pixels wide; the path column takes what the window gives beyond that. Rows
// are 24 pixels high. The Delete key asks to remove the selected rows; a
// grid that allows it lets its rows be dragged to another place, and moved
// one place up or down with Ctrl+Up and Ctrl+Down. File names and paths read
// left to right also in a right-to-left window.
class FileGrid : public QTableView {
    Q_OBJECT
public:
    FileGrid(const char* name, QWidget* parent);

    // Shows the list, with the columns laid out as above.
    void showList(QAbstractItemModel* list);
    // Rows can be picked up and dropped elsewhere in the grid; files dropped
    // from outside still go to the window.
    void allowRowDragging();
    // What a row dragged within a grid carries.
    static QMimeData* rowData(int row);
    // Where the line that shows where a dragged row will land is drawn in the
    // viewport (its y), -1 while none is.
    int dropLineY() const { return dropLineY_; }
    // The height that shows the header and `rows` data rows.
    int heightForRows(int rows) const;
    // Lets the user edit the column after the password (by a double click or
    // F2); the list's cells there that are wrong (FileListModel's
    // WrongSelectionRole) are shown in red. The other columns stay read-only.
    void addEditableColumn(int width);
    // The column addEditableColumn added, -1 without one.
    int editableColumn() const { return editableColumn_; }
    // The current row, -1 without one.
    int currentRow() const { return currentIndex().row(); }
    int currentColumn() const { return currentIndex().column(); }
    void setCurrentCell(int row, int column);

signals:
    void deletePressed();
    // A row was dragged to the place of another (0-based data rows).
    void rowDragged(int from, int to);
    // Ctrl+Up (-1) or Ctrl+Down (+1) in a grid whose rows can be moved.
    void moveKeyPressed(int step);
    // The user finished editing a cell of the editable column (0-based row).
    void cellEdited(int row);
    // The current cell moved, to `row` (-1 for none).
    void currentCellChanged(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

protected slots:
    void commitData(QWidget* editor) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    // The listed files.
    int filledRows() const;
    // The row (0-based) a row dragged to the viewport's y lands in: the one
    // there, or the last that holds a file.
    int landingRow(int y) const;
    void showDropLine(int y);
    void drawEmptyRows();

    int editableColumn_ = -1;
    int editableWidth_ = 0;
    int dropLineY_ = -1;
};
