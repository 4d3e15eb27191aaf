#pragma once
#include <QPoint>
#include <QString>
#include <QStringList>

#include "finishing/structure_request.h"

class QLabel;
class QRadioButton;
class QWidget;

// The bookmarks choice of the Merge and Mix tabs: a label and three choices
// (keep the files' bookmarks, one entry per file, none), exclusive among
// themselves only, named "lbl_<tab>_bookmarks", "<tab>_bookmarks_keep",
// "<tab>_bookmarks_per_file" and "<tab>_bookmarks_none"; keep is checked.
struct BookmarkChoice {
    QLabel* label;
    QRadioButton *keep, *perFile, *none;

    BookmarkMode mode() const;
};

// The label at labelAt, labelWidth wide; the choices in a row from
// choicesAt, with the given widths and captions.
BookmarkChoice bookmarkChoice(QWidget* parent, const QString& tab, QPoint labelAt, int labelWidth, QPoint choicesAt,
                              const int (&widths)[3], const QStringList& captions);
