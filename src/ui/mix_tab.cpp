#include "ui/mix_tab.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "ui/bookmark_choice.h"
#include "ui/built_in_english.h"
#include "ui/control_factory.h"
#include "ui/destination_group.h"
#include "ui/file_grid.h"

using namespace controls;

MixMethodGroup::MixMethodGroup(const MixMethodNames& names, const MixMethodFields& initial, QWidget* parent)
    : QGroupBox(builtInEnglish(names.group), parent) {
    setObjectName(QString::fromLatin1(names.group));
    groupMethod_ = radio(this, names.groupMethod);
    groupCount_ = numberField(this, names.groupCount, QString::fromStdString(initial.groupCount));
    groupLabel_ = label(this, names.groupLabel);
    groupStart_ = numberField(this, names.groupStart, QString::fromStdString(initial.groupStart));
    eachMethod_ = radio(this, names.eachMethod);
    eachCount_ = numberField(this, names.eachCount, QString::fromStdString(initial.eachCount));
    eachLabel_ = label(this, names.eachLabel);
    eachStart_ = numberField(this, names.eachStart, QString::fromStdString(initial.eachStart));
    (initial.method == MixMethod::Each ? eachMethod_ : groupMethod_)->setChecked(true);

    // Each row: method, count, label, start page.
    rows_ = new QGridLayout(this);
    rows_->setContentsMargins(12, 8, 12, 8);
    rows_->setHorizontalSpacing(6);
    rows_->setVerticalSpacing(8);
    rows_->addWidget(groupMethod_, 0, 0);
    rows_->addWidget(groupCount_, 0, 1);
    rows_->addWidget(groupLabel_, 0, 2);
    rows_->addWidget(groupStart_, 0, 3);
    rows_->addWidget(eachMethod_, 1, 0);
    rows_->addWidget(eachCount_, 1, 1);
    rows_->addWidget(eachLabel_, 1, 2);
    rows_->addWidget(eachStart_, 1, 3);
    rows_->setColumnStretch(2, 1);
}

void MixMethodGroup::addRow(QWidget* control) { rows_->addWidget(control, 2, 0, 1, 4); }

MixMethodFields MixMethodGroup::fields() const {
    MixMethodFields fields;
    fields.method = eachMethod_->isChecked() ? MixMethod::Each : MixMethod::EveryGroupOf;
    fields.groupCount = groupCount_->text().toStdString();
    fields.groupStart = groupStart_->text().toStdString();
    fields.eachCount = eachCount_->text().toStdString();
    fields.eachStart = eachStart_->text().toStdString();
    return fields;
}

QLineEdit* MixMethodGroup::countField() const { return eachMethod_->isChecked() ? eachCount_ : groupCount_; }

QLineEdit* MixMethodGroup::startField() const { return eachMethod_->isChecked() ? eachStart_ : groupStart_; }

QLineEdit* MixTab::fieldOf(RequestField field) const {
    switch (field) {
    case RequestField::FirstCount: return firstMethod_->countField();
    case RequestField::FirstStart: return firstMethod_->startField();
    case RequestField::SecondCount: return secondMethod_->countField();
    case RequestField::SecondStart: return secondMethod_->startField();
    default: return nullptr;
    }
}

MixTab::MixTab(Dialogs& dialogs, QWidget* parent) : JobTab(parent) {
    const MixRequest defaults;
    setObjectName(QString::fromLatin1(widgetName::mixTab));
    grid_ = new FileGrid(widgetName::mixGrid, this);
    grid_->setFixedHeight(80);
    addButton_ = iconButton(this, widgetName::mixAddButton, QStringLiteral("add"));
    removeButton_ = iconButton(this, widgetName::mixRemoveButton, QStringLiteral("remove"));

    methodGroup_ = group(this, widgetName::mixMethodGroup);
    methodGroup_->setMinimumHeight(264);
    firstMethod_ = new MixMethodGroup(widgetName::mixFirstMethod, defaults.firstMethod, methodGroup_);
    secondMethod_ = new MixMethodGroup(widgetName::mixSecondMethod, defaults.secondMethod, methodGroup_);
    reverseSecond_ = checkBox(secondMethod_, widgetName::mixReverseSecond);
    reverseSecond_->setChecked(defaults.reverseSecond);
    secondMethod_->addRow(reverseSecond_);
    auto* documents = new QVBoxLayout(methodGroup_);
    documents->setContentsMargins(10, 6, 10, 8);
    documents->setSpacing(6);
    documents->addWidget(firstMethod_);
    documents->addWidget(secondMethod_);
    documents->addStretch();

    destination_ = new DestinationGroup(widgetName::mixDestination, defaults.baseName, dialogs, this);
    singleFile_ = checkBox(destination_, widgetName::mixSingleFile);
    singleFile_->setChecked(defaults.singleFile);
    destination_->addRow(singleFile_);
    bookmarks_ = new BookmarkChoice(QStringLiteral("mix"), defaults.bookmarks, destination_);
    destination_->addRow(bookmarks_);

    runButton_ = controls::runButton(this, widgetName::mixRunButton);
    progressBar_ = controls::progressBar(this, widgetName::mixProgress);
    auto* options = new QHBoxLayout;
    options->setSpacing(12);
    options->addWidget(methodGroup_, 560);
    options->addWidget(destination_, 397);
    arrange({addButton_, removeButton_}, options, 0);
}

MixRequest MixTab::request() const {
    MixRequest request;
    request.firstMethod = firstMethod_->fields();
    request.secondMethod = secondMethod_->fields();
    request.baseName = destination_->baseName();
    request.destinationFolder = destination_->folder();
    request.reverseSecond = reverseSecond_->isChecked();
    request.singleFile = singleFile_->isChecked();
    request.bookmarks = bookmarks_->mode();
    return request;
}
