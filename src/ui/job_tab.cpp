#include "ui/job_tab.h"

#include <QBoxLayout>
#include <QEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>

#include "ui/file_grid.h"
#include "ui/page_strip.h"

JobTab::JobTab(QWidget* parent) : QWidget(parent) {}

void JobTab::arrange(const std::vector<QToolButton*>& sideButtons, QLayout* options, int gridStretch) {
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(6);
    for (QToolButton* button : sideButtons) buttons->addWidget(button);
    buttons->addStretch();
    auto* list = new QHBoxLayout;
    list->setSpacing(10);
    list->addWidget(grid_, 1);
    list->addLayout(buttons);

    // The bar keeps its place while hidden, so that the run button does not move.
    QSizePolicy barPolicy = progressBar_->sizePolicy();
    barPolicy.setRetainSizeWhenHidden(true);
    progressBar_->setSizePolicy(barPolicy);
    auto* run = new QHBoxLayout;
    run->setSpacing(16);
    run->addWidget(progressBar_, 1);
    run->addWidget(runButton_);
    runRow_ = run;
    connect(runButton_, &QPushButton::clicked, this, &JobTab::runRequested);

    // The options and the run button end where the grid ends.
    besideGrid_ = list->spacing() + addButton_->width();
    optionsPlace_ = options;
    auto* whole = new QVBoxLayout(this);
    whole->setContentsMargins(16, 14, 26, 14);
    whole->setSpacing(14);
    whole->addLayout(list, gridStretch);
    whole->addLayout(options);
    blankStretch_ = gridStretch > 0 ? 0 : 1;  // a grid that grows takes the height
    whole->addStretch(blankStretch_);
    blankPlace_ = whole->count() - 1;
    whole_ = whole;
    stripPlace_ = new QVBoxLayout;
    whole->addLayout(stripPlace_);
    whole->addLayout(run);
    alignWithGrid();
}

// Layouts mirror their items in a right-to-left window but not their margins:
// the room beside the grid's buttons goes on the side the buttons are on.
void JobTab::alignWithGrid() {
    if (!optionsPlace_) return;
    const bool rightToLeft = layoutDirection() == Qt::RightToLeft;
    for (QLayout* place : {optionsPlace_, static_cast<QLayout*>(stripPlace_), static_cast<QLayout*>(runRow_)})
        place->setContentsMargins(rightToLeft ? besideGrid_ : 0, 0, rightToLeft ? 0 : besideGrid_, 0);
}

void JobTab::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LayoutDirectionChange) alignWithGrid();
}

void JobTab::placePageStrip(PageStrip* strip) {
    QWidget* toggle = strip->toggle();
    stripPlace_->addWidget(strip);
    connect(strip, &PageStrip::openChanged, this, &JobTab::giveRoomToPages);
    runRow_->insertWidget(0, toggle);
    // Tab goes as they are laid out: the pages (while they show), the button
    // that opens them, the run button.
    for (QWidget* inStrip : strip->findChildren<QWidget*>())
        if (inStrip->focusPolicy() & Qt::TabFocus) setTabOrder(inStrip, toggle);
    setTabOrder(toggle, runButton_);
}

// The open panel of pages takes the height the window gives beyond the least,
// which the blank under the options took (shared with a grid that grows).
void JobTab::giveRoomToPages(bool open) {
    whole_->setStretch(blankPlace_, open ? 0 : blankStretch_);
    whole_->setStretchFactor(stripPlace_, open ? 1 : 0);
}

void JobTab::setJobRunning(bool running, bool ownJob, const QString& cancelCaption) {
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (child != runButton_ && child != progressBar_) child->setEnabled(!running);
    runButton_->setEnabled(!running || ownJob);
    if (running && ownJob) {
        runCaption_ = runButton_->text();
        runButton_->setText(cancelCaption);
    } else if (!running && !runCaption_.isEmpty()) {
        runButton_->setText(runCaption_);
        runCaption_.clear();
    }
}
