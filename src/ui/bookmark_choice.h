#pragma once
#include <QWidget>

#include "structure/structure_request.h"

class QLabel;
class QRadioButton;

// The bookmarks choice of the Merge and Mix tabs: a label and three choices
// in a row (keep the files' bookmarks, one entry per file, none), exclusive
// among themselves only, named "lbl_<tab>_bookmarks", "<tab>_bookmarks_keep",
// "<tab>_bookmarks_per_file" and "<tab>_bookmarks_none"; `initial` is checked.
class BookmarkChoice : public QWidget {
public:
    BookmarkChoice(const QString& tab, BookmarkMode initial, QWidget* parent);
    BookmarkMode mode() const;

private:
    QLabel* label_;
    QRadioButton *keep_, *perFile_, *none_;
};
