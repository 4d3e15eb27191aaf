#include "ui/bookmark_choice.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>

#include "ui/control_factory.h"

BookmarkChoice::BookmarkChoice(const QString& tab, BookmarkMode initial, QWidget* parent) : QWidget(parent) {
    const auto name = [&](const char* suffix) { return (tab + QString::fromLatin1(suffix)).toLatin1(); };
    setObjectName(QString::fromLatin1(name("_bookmarks")));  // a row of its own, among the tab's controls
    label_ = controls::label(this, ("lbl_" + tab + "_bookmarks").toLatin1().constData());
    keep_ = controls::radio(this, name("_bookmarks_keep").constData());
    perFile_ = controls::radio(this, name("_bookmarks_per_file").constData());
    none_ = controls::radio(this, name("_bookmarks_none").constData());
    // A group of their own keeps them apart from other choices in the same parent.
    auto* group = new QButtonGroup(this);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    row->addWidget(label_);
    for (QRadioButton* button : {keep_, perFile_, none_}) {
        group->addButton(button);
        row->addWidget(button);
    }
    row->addStretch();
    (initial == BookmarkMode::PerFile ? perFile_ : initial == BookmarkMode::None ? none_ : keep_)->setChecked(true);
}

BookmarkMode BookmarkChoice::mode() const {
    return perFile_->isChecked() ? BookmarkMode::PerFile : none_->isChecked() ? BookmarkMode::None : BookmarkMode::Keep;
}
