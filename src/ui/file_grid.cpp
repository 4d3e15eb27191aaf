#include "ui/file_grid.h"

#include <QDrag>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>

#include "ui/file_list_model.h"

namespace {

// What a row dragged within a grid carries: its number.
const QString rowFormat = QStringLiteral("application/x-splimera-grid-row");

bool carriesRow(const QMimeData* data) { return data != nullptr && data->hasFormat(rowFormat); }

constexpr int columnWidths[] = {51, 399, 332, 73, 78};

// Shows a cell's text as an isolated left-to-right run, so that a path such
// as "C:\Docs\a.pdf" keeps its order in a right-to-left window, while the
// cell itself stays aligned with the mirrored grid.
class LeftToRightText : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QString displayText(const QVariant& value, const QLocale& locale) const override {
        const QString text = QStyledItemDelegate::displayText(value, locale);
        if (text.isEmpty()) return text;
        return QChar(0x2066) + text + QChar(0x2069);  // LEFT-TO-RIGHT ISOLATE ... POP DIRECTIONAL ISOLATE
    }
};

// Shows a wrong entry of the editable column in red on a pale red ground.
class MarkedWhenWrong : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!index.data(FileListModel::WrongSelectionRole).toBool()) return;
        option->backgroundBrush = QBrush(QColor(0xff, 0xd6, 0xd6));
        option->palette.setColor(QPalette::Text, QColor(0x9c, 0x00, 0x06));
        option->palette.setColor(QPalette::HighlightedText, QColor(0x9c, 0x00, 0x06));
    }
};

}  // namespace

FileGrid::FileGrid(const char* name, QWidget* parent) : QTableView(parent) {
    setObjectName(QString::fromLatin1(name));
    QHeaderView* header = horizontalHeader();
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setFixedHeight(24);
    header->setHighlightSections(false);
    header->setMinimumSectionSize(40);
    verticalHeader()->setVisible(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(24);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setWordWrap(false);
    setTabKeyNavigation(false);  // one stop for Tab, as in a file dialog: the arrows move within it
    setAcceptDrops(false);  // files dropped on a grid go to the window
    auto* leftToRight = new LeftToRightText(this);
    setItemDelegateForColumn(FileListModel::FileNameColumn, leftToRight);
    setItemDelegateForColumn(FileListModel::FolderColumn, leftToRight);
}

void FileGrid::showList(QAbstractItemModel* list) {
    setModel(list);
    for (int column = 0; column < 5; ++column) setColumnWidth(column, columnWidths[column]);
    if (editableColumn_ >= 0) setColumnWidth(editableColumn_, editableWidth_);
    horizontalHeader()->setSectionResizeMode(FileListModel::FolderColumn, QHeaderView::Stretch);
}

void FileGrid::setCurrentCell(int row, int column) { setCurrentIndex(model()->index(row, column)); }

void FileGrid::allowRowDragging() {
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(true);
}

int FileGrid::heightForRows(int rows) const { return 24 + rows * 24 + 2 * frameWidth(); }

void FileGrid::addEditableColumn(int width) {
    editableColumn_ = FileListModel::SelectionColumn;
    editableWidth_ = width;
    setItemDelegateForColumn(editableColumn_, new MarkedWhenWrong(this));
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked);
}

void FileGrid::commitData(QWidget* editor) {
    QTableView::commitData(editor);
    const QModelIndex index = currentIndex();
    if (index.isValid() && index.column() == editableColumn_) emit cellEdited(index.row());
}

void FileGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    emit currentCellChanged(current.row());
}

void FileGrid::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete) {
        emit deletePressed();
        return;
    }
    // F2 edits the current row's editable cell, wherever in the row the focus is.
    if (event->key() == Qt::Key_F2 && editableColumn_ >= 0 && currentRow() >= 0 && event->modifiers() == Qt::NoModifier) {
        const QModelIndex cell = model()->index(currentRow(), editableColumn_);
        setCurrentIndex(cell);
        edit(cell);
        return;
    }
    const bool moveKey = event->key() == Qt::Key_Up || event->key() == Qt::Key_Down;
    if (moveKey && event->modifiers() == Qt::ControlModifier && dragEnabled()) {
        emit moveKeyPressed(event->key() == Qt::Key_Up ? -1 : 1);
        return;
    }
    QTableView::keyPressEvent(event);
}

QMimeData* FileGrid::rowData(int row) {
    auto* data = new QMimeData;
    data->setData(rowFormat, QByteArray::number(row));
    return data;
}

void FileGrid::startDrag(Qt::DropActions) {
    const int row = currentRow();
    if (row < 0) return;
    auto* drag = new QDrag(this);
    drag->setMimeData(rowData(row));
    drag->exec(Qt::MoveAction);
}

void FileGrid::dragEnterEvent(QDragEnterEvent* event) {
    if (carriesRow(event->mimeData())) event->acceptProposedAction();
    else event->ignore();  // the window takes files
}

void FileGrid::dragMoveEvent(QDragMoveEvent* event) {
    if (!carriesRow(event->mimeData())) {
        event->ignore();
        return;
    }
    // Moved down, the row goes under the one it is dropped on; moved up, above it.
    const int from = event->mimeData()->data(rowFormat).toInt();
    const int to = landingRow(event->position().toPoint().y());
    const QRect target = visualRect(model()->index(to, 0));
    showDropLine(to == from || to < 0 ? -1 : to > from ? target.bottom() : target.top());
    event->acceptProposedAction();
}

void FileGrid::dragLeaveEvent(QDragLeaveEvent* event) {
    showDropLine(-1);
    QTableView::dragLeaveEvent(event);
}

void FileGrid::dropEvent(QDropEvent* event) {
    showDropLine(-1);
    if (!carriesRow(event->mimeData())) {
        event->ignore();
        return;
    }
    const int from = event->mimeData()->data(rowFormat).toInt();
    const int to = landingRow(event->position().toPoint().y());
    event->acceptProposedAction();
    if (to >= 0 && from != to) emit rowDragged(from, to);
}

void FileGrid::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    drawEmptyRows();
    if (dropLineY_ < 0) return;
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.drawLine(0, dropLineY_, viewport()->width(), dropLineY_);
}

// Under the last file, the lines of empty rows, so that the grid reads as a
// list with room for more.
void FileGrid::drawEmptyRows() {
    if (!model() || !showGrid()) return;
    const int rows = model()->rowCount();
    const int top = rows > 0 ? rowViewportPosition(rows - 1) + rowHeight(rows - 1) : 0;
    const int bottom = viewport()->height();
    if (top >= bottom) return;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const auto gridColor = static_cast<QRgb>(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this));
    QPainter painter(viewport());
    painter.setPen(QPen(QColor::fromRgba(gridColor), 1, gridStyle()));
    int left = viewport()->width(), right = 0;
    for (int column = 0; column < model()->columnCount(); ++column) {
        const int x = columnViewportPosition(column);
        left = std::min(left, x);
        right = std::max(right, x + columnWidth(column));
        const int line = isRightToLeft() ? x : x + columnWidth(column) - 1;
        painter.drawLine(line, top, line, bottom);
    }
    const int rowStep = verticalHeader()->defaultSectionSize();
    for (int y = top + rowStep - 1; y < bottom; y += rowStep) painter.drawLine(left, y, right - 1, y);
}

int FileGrid::filledRows() const { return model() ? model()->rowCount() : 0; }

int FileGrid::landingRow(int y) const {
    const int filled = filledRows();
    const int row = rowAt(y);
    return row < 0 || row >= filled ? filled - 1 : row;
}

void FileGrid::showDropLine(int y) {
    if (y == dropLineY_) return;
    dropLineY_ = y;
    viewport()->update();
}
