#pragma once
#include <QAbstractTableModel>
#include <QStringList>
#include <string>
#include <vector>

#include "ui/listed_file.h"

// The files of one job list as the table its view shows: the row number, the
// file name, its folder, the page count and the password (masked), and in the
// merge list the pages to take, which the user edits. The view's pictures of
// the files' first pages are kept with their rows, so that they move with them.
class FileListModel : public QAbstractTableModel {
public:
    enum Column { NumberColumn, FileNameColumn, FolderColumn, PagesColumn, PasswordColumn, SelectionColumn };
    // True for a page selection that does not fit its file.
    static constexpr int WrongSelectionRole = Qt::UserRole + 1;
    static constexpr const char* PasswordMark = "\u25CF\u25CF\u25CF\u25CF\u25CF\u25CF";

    explicit FileListModel(bool withSelections, QObject* parent = nullptr);

    // The same mark for every password, so that the list does not tell its
    // length; "" for a file without one.
    static std::string maskPassword(const std::string& password);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // The page selection as typed, without its spaces.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    int count() const { return static_cast<int>(rows_.size()); }
    const ListedFile& file(int row) const { return rows_.at(static_cast<std::size_t>(row)).file; }
    std::vector<ListedFile> files() const;

    void append(ListedFile file);
    void replace(int row, ListedFile file);
    void remove(int row);
    void swapFiles(int first, int second);
    void setPageSelection(int row, const std::string& selection);
    // The bookmark outline of the row's file, read with libqpdf the first
    // time it is asked for and then kept with the file, so that choices
    // typed while the file is listed do not read it again. A file whose
    // outline cannot be read raises the same error each time, without
    // reading it again.
    const DocumentOutline& outline(int row);
    // Why the row's page selection cannot be taken, naming the file; "" when it can.
    std::string selectionError(int row) const { return rows_.at(static_cast<std::size_t>(row)).selectionError; }

    // The first page of the row's file as the view shows it, and its tip.
    void setPicture(int row, const QVariant& picture, const QString& tip);
    // The captions of the file name, folder, pages, password and selection
    // columns; the number column is captioned "#".
    void setCaptions(const QStringList& captions);
    // The tip of a page selection that fits its file.
    void setSelectionHint(const QString& hint);

private:
    struct Row {
        ListedFile file;
        std::string selectionError;
        std::string outlineError;
        QVariant picture;
        QString pictureTip;
    };
    static Row rowOf(ListedFile file);
    void rowChanged(int row);

    bool withSelections_;
    std::vector<Row> rows_;
    QStringList captions_;
    QString selectionHint_;
};
