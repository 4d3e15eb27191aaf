#include "ui/file_list_model.h"

#include <stdexcept>
#include <utility>

#include "ui/merge_selections.h"

FileListModel::FileListModel(bool withSelections, QObject* parent)
    : QAbstractTableModel(parent), withSelections_(withSelections) {}

std::string FileListModel::maskPassword(const std::string& password) {
    return password.empty() ? std::string() : std::string(PasswordMark);
}

int FileListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count(); }

int FileListModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return withSelections_ ? SelectionColumn + 1 : SelectionColumn;
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count()) return QVariant();
    const Row& row = rows_[static_cast<std::size_t>(index.row())];
    const InputFile& input = row.file.input;
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        switch (index.column()) {
        case NumberColumn: return QString::number(index.row() + 1);
        case FileNameColumn: return QString::fromStdString(input.fileName);
        case FolderColumn: return QString::fromStdString(input.folder);
        case PagesColumn: return QString::number(row.file.pageCount);
        case PasswordColumn: return QString::fromStdString(maskPassword(input.password));
        case SelectionColumn: return QString::fromStdString(row.file.pageSelection);
        default: return QVariant();
        }
    }
    if (index.column() == FileNameColumn && role == Qt::DecorationRole) return row.picture;
    if (index.column() == FileNameColumn && role == Qt::ToolTipRole && !row.pictureTip.isEmpty()) return row.pictureTip;
    if (index.column() == SelectionColumn && role == Qt::ToolTipRole)
        return row.selectionError.empty() ? selectionHint_ : QString::fromStdString(row.selectionError);
    if (index.column() == SelectionColumn && role == WrongSelectionRole) return !row.selectionError.empty();
    return QVariant();
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == NumberColumn) return QStringLiteral("#");
    return section - 1 < captions_.size() ? captions_[section - 1] : QString();
}

Qt::ItemFlags FileListModel::flags(const QModelIndex& index) const {
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    return index.isValid() && index.column() == SelectionColumn ? flags | Qt::ItemIsEditable : flags;
}

bool FileListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || index.column() != SelectionColumn || index.row() >= count())
        return false;
    setPageSelection(index.row(), value.toString().simplified().remove(QLatin1Char(' ')).toStdString());
    return true;
}

std::vector<ListedFile> FileListModel::files() const {
    std::vector<ListedFile> files;
    files.reserve(rows_.size());
    for (const Row& row : rows_) files.push_back(row.file);
    return files;
}

FileListModel::Row FileListModel::rowOf(ListedFile file) {
    const std::string error = pageSelectionError(file);
    return {std::move(file), error, std::string(), QVariant(), QString()};
}

void FileListModel::append(ListedFile file) {
    beginInsertRows(QModelIndex(), count(), count());
    rows_.push_back(rowOf(std::move(file)));
    endInsertRows();
}

void FileListModel::replace(int row, ListedFile file) {
    rows_.at(static_cast<std::size_t>(row)) = rowOf(std::move(file));
    rowChanged(row);
}

void FileListModel::remove(int row) {
    if (row < 0 || row >= count()) return;
    beginRemoveRows(QModelIndex(), row, row);
    rows_.erase(rows_.begin() + row);
    endRemoveRows();
    // The rows after it are numbered anew.
    if (row < count()) emit dataChanged(index(row, NumberColumn), index(count() - 1, NumberColumn));
}

void FileListModel::swapFiles(int first, int second) {
    std::swap(rows_.at(static_cast<std::size_t>(first)), rows_.at(static_cast<std::size_t>(second)));
    rowChanged(first);
    rowChanged(second);
}

void FileListModel::setPageSelection(int row, const std::string& selection) {
    if (row < 0 || row >= count()) return;
    Row& changed = rows_[static_cast<std::size_t>(row)];
    changed.file.pageSelection = selection;
    changed.selectionError = pageSelectionError(changed.file);
    rowChanged(row);
}

const DocumentOutline& FileListModel::outline(int row) {
    Row& listed = rows_.at(static_cast<std::size_t>(row));
    if (!listed.file.outline && listed.outlineError.empty()) {
        try {
            listed.file.outline = std::make_shared<const DocumentOutline>(
                readDocumentOutline(listed.file.input.path(), listed.file.input.password));
        } catch (const std::exception& error) {
            listed.outlineError = error.what();
        }
    }
    if (!listed.file.outline) throw std::runtime_error(listed.outlineError);
    return *listed.file.outline;
}

void FileListModel::setPicture(int row, const QVariant& picture, const QString& tip) {
    if (row < 0 || row >= count()) return;
    Row& changed = rows_[static_cast<std::size_t>(row)];
    changed.picture = picture;
    changed.pictureTip = tip;
    emit dataChanged(index(row, FileNameColumn), index(row, FileNameColumn), {Qt::DecorationRole, Qt::ToolTipRole});
}

void FileListModel::setCaptions(const QStringList& captions) {
    captions_ = captions;
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void FileListModel::setSelectionHint(const QString& hint) {
    selectionHint_ = hint;
    if (withSelections_ && count() > 0) emit dataChanged(index(0, SelectionColumn), index(count() - 1, SelectionColumn));
}

void FileListModel::rowChanged(int row) { emit dataChanged(index(row, 0), index(row, columnCount() - 1)); }
