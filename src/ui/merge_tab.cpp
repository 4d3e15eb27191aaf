#include "ui/merge_tab.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>

#include "ui/bookmark_choice.h"
#include "ui/control_factory.h"
#include "ui/dialogs.h"
#include "ui/field_bytes.h"
#include "ui/file_filter.h"
#include "ui/file_grid.h"
#include "ui/widget_names.h"

using namespace controls;

MergeTab::MergeTab(Dialogs& dialogs, QWidget* parent) : JobTab(parent), dialogs_(dialogs) {
    const MergeRequest defaults;
    setObjectName(QString::fromLatin1(widgetName::mergeTab));
    grid_ = new FileGrid(widgetName::mergeGrid, this);
    grid_->setMinimumHeight(grid_->heightForRows(4));
    grid_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid_->allowRowDragging();
    grid_->addEditableColumn(110);  // the pages to take of each file
    addButton_ = iconButton(this, widgetName::mergeAddButton, QStringLiteral("add"));
    removeButton_ = iconButton(this, widgetName::mergeRemoveButton, QStringLiteral("remove"));
    upButton_ = iconButton(this, widgetName::mergeUpButton, QStringLiteral("move-up"));
    downButton_ = iconButton(this, widgetName::mergeDownButton, QStringLiteral("move-down"));
    totalPages_ = label(this, widgetName::mergeTotalPages);
    totalPages_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    outputGroup_ = group(this, widgetName::mergeOutputGroup);
    outputLabel_ = label(outputGroup_, widgetName::mergeOutputLabel);
    output_ = readOnlyField(outputGroup_, widgetName::mergeOutput);
    browseButton_ = button(outputGroup_, widgetName::mergeBrowse);
    bookmarks_ = new BookmarkChoice(QStringLiteral("merge"), defaults.bookmarks, outputGroup_);
    padOdd_ = checkBox(outputGroup_, widgetName::mergePadOdd);
    padOdd_->setChecked(defaults.padOdd);
    auto* outputRows = new QVBoxLayout(outputGroup_);
    outputRows->setContentsMargins(14, 10, 14, 10);
    outputRows->setSpacing(4);
    auto* outputRow = new QHBoxLayout;
    outputRow->setSpacing(8);
    outputRow->addWidget(outputLabel_);
    outputRow->addWidget(output_, 1);
    outputRow->addWidget(browseButton_);
    outputRows->addLayout(outputRow);
    outputRows->addWidget(bookmarks_);
    outputRows->addWidget(padOdd_);

    runButton_ = controls::runButton(this, widgetName::mergeRunButton);
    progressBar_ = controls::progressBar(this, widgetName::mergeProgress);
    auto* options = new QVBoxLayout;
    options->setSpacing(8);
    options->addWidget(totalPages_);
    options->addWidget(outputGroup_);
    arrange({addButton_, removeButton_, upButton_, downButton_}, options, 1);
    connect(browseButton_, &QPushButton::clicked, this, &MergeTab::chooseOutput);
}

MergeRequest MergeTab::request() const {
    MergeRequest request;
    request.outputPath = outputPath();
    request.bookmarks = bookmarks_->mode();
    request.padOdd = padOdd();
    return request;
}

bool MergeTab::padOdd() const { return padOdd_->isChecked(); }

void MergeTab::showTotalPages(const QString& text) { totalPages_->setText(text); }

std::string MergeTab::outputPath() const { return fieldBytes(output_); }

void MergeTab::setOutputPath(const std::string& path) { setFieldBytes(output_, path); }

bool MergeTab::takeOutputConfirmation() {
    const bool confirmed = !confirmedOutput_.empty() && confirmedOutput_ == outputPath();
    confirmedOutput_.clear();
    return confirmed;
}

void MergeTab::chooseOutput() {
    if (saveName_.empty()) saveName_ = "output.pdf";
    const std::string chosen = dialogs_.chooseSaveFile(pdfFileFilter, "pdf", saveName_);
    if (chosen.empty()) return;
    saveName_ = chosen;
    setOutputPath(chosen);
    confirmedOutput_ = chosen;
}
