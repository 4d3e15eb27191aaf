#include "ui/bookmark_choice.h"

#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>

#include "ui/control_factory.h"

BookmarkMode BookmarkChoice::mode() const {
    return perFile->isChecked() ? BookmarkMode::PerFile : none->isChecked() ? BookmarkMode::None : BookmarkMode::Keep;
}

BookmarkChoice bookmarkChoice(QWidget* parent, const QString& tab, QPoint labelAt, int labelWidth, QPoint choicesAt,
                              const int (&widths)[3], const QStringList& captions) {
    BookmarkChoice choice{};
    choice.label =
        controls::label(parent, "lbl_" + tab + "_bookmarks", "Bookmarks", labelAt.x(), labelAt.y(), labelWidth);
    const QString names[] = {"_bookmarks_keep", "_bookmarks_per_file", "_bookmarks_none"};
    QRadioButton** buttons[] = {&choice.keep, &choice.perFile, &choice.none};
    // A group of their own keeps them apart from other choices in the same parent.
    auto* group = new QButtonGroup(parent);
    int x = choicesAt.x();
    for (int i = 0; i < 3; ++i) {
        *buttons[i] = controls::radio(parent, tab + names[i], captions.value(i), x, choicesAt.y(), widths[i]);
        group->addButton(*buttons[i]);
        x += widths[i] + 4;
    }
    choice.keep->setChecked(true);
    return choice;
}
