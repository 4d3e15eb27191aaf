#include "ui/split_tab.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolButton>

#include "ui/control_factory.h"
#include "ui/destination_group.h"
#include "ui/main_window_layout.h"
#include "ui/widget_names.h"

using namespace controls;
using namespace window_layout;

SplitTab::SplitTab(Dialogs& dialogs, QWidget* parent) : JobTab(parent) {
    setObjectName(QString::fromLatin1(widgetName::splitTab));
    grid_ = controls::fileGrid(this, widgetName::splitGrid, gridX, gridY, 80, 1);
    addButton_ = iconButton(this, widgetName::splitAddButton, "add", "Add a PDF file", sideButtonX, gridY);
    removeButton_ =
        iconButton(this, widgetName::splitRemoveButton, "remove", "Remove the file", sideButtonX, gridY + 42);
    buildMethodGroup();
    destination_ = new DestinationGroup(widgetName::splitDestination, dialogs, this,
                                        QRect(destGroupX, groupY, gridX + 969 - destGroupX, groupHeight));
    runButton_ = button(this, widgetName::splitRunButton, "Split this PDF!", runButtonX, runButtonY, 158, 36);
    progressBar_ = controls::progressBar(this, widgetName::splitProgress, gridX, progressY, runButtonX - gridX - 16);

    for (auto [field, method] : {std::pair{filesOfSize_, intoFilesOf_}, std::pair{rangeList_, byRange_},
                                 std::pair{groupSize_, everyGroupOf_}, std::pair{groupStart_, everyGroupOf_},
                                 std::pair{eachStep_, each_}, std::pair{eachStart_, each_}})
        connect(field, &QLineEdit::textChanged, this, [this, field = field, method = method] {
            selectWhenFilled(field, method);
        });
}

void SplitTab::buildMethodGroup() {
    methodGroup_ = group(this, widgetName::splitMethodGroup, "Split Method", gridX, groupY, destGroupX - 12 - gridX,
                         groupHeight);
    QWidget* method = methodGroup_;
    // Each row: radio button, count field, label, start field; wide enough for
    // the longer captions of the language files.
    const int radioWidth = 166, fieldX = 184, fieldWidth = 40, labelX = 230, labelWidth = 216, startX = 450;
    intoFilesOf_ = radio(method, widgetName::splitIntoFilesOf, "Into files of", 14, 30, radioWidth);
    intoFilesOf_->setChecked(true);
    filesOfSize_ = numberField(method, widgetName::splitFilesOfSize, "1", fieldX, 30, fieldWidth);
    pagesLabel_ = label(method, widgetName::splitPagesLabel, "pages", labelX, 30, labelWidth);

    everyGroupOf_ = radio(method, widgetName::splitEveryGroupOf, "Every group of", 14, 66, radioWidth);
    groupSize_ = numberField(method, widgetName::splitGroupSize, "3", fieldX, 66, fieldWidth);
    groupLabel_ = label(method, widgetName::splitGroupLabel, "pages, starting with page", labelX, 66, labelWidth);
    groupStart_ = numberField(method, widgetName::splitGroupStart, "1", startX, 66, fieldWidth);

    each_ = radio(method, widgetName::splitEach, "Each", 14, 102, radioWidth);
    eachStep_ = numberField(method, widgetName::splitEachStep, "3", fieldX, 102, fieldWidth);
    eachLabel_ = label(method, widgetName::splitEachLabel, "page, starting with page", labelX, 102, labelWidth);
    eachStart_ = numberField(method, widgetName::splitEachStart, "1", startX, 102, fieldWidth);

    byRange_ = radio(method, widgetName::splitByRange, "By page Range", 14, 138, radioWidth);
    rangeList_ = textField(method, widgetName::splitRangeList, "", fieldX, 138, startX + fieldWidth - fieldX);

    rangeHelp_ = label(method, widgetName::splitRangeHelp,
                       "Page range separated by comma, semi-colon to separate files. "
                       "Example: 1-4,6,9-10;5,6;12;20-21,23;",
                       14, 178, startX + fieldWidth - 14, 60);
    rangeHelp_->setWordWrap(true);
    rangeHelp_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void SplitTab::selectWhenFilled(QLineEdit* field, QRadioButton* method) {
    if (!field->text().isEmpty()) method->setChecked(true);
}

SplitRequest SplitTab::request() const {
    auto text = [](const QLineEdit* field) { return field->text().toStdString(); };
    SplitRequest request;
    request.method = intoFilesOf_->isChecked()    ? SplitMethod::IntoFilesOf
                     : everyGroupOf_->isChecked() ? SplitMethod::EveryGroupOf
                     : each_->isChecked()         ? SplitMethod::Each
                                                  : SplitMethod::ByPageRange;
    request.filesOfSize = text(filesOfSize_);
    request.everyGroupSize = text(groupSize_);
    request.everyGroupStart = text(groupStart_);
    request.eachStep = text(eachStep_);
    request.eachStart = text(eachStart_);
    request.rangeList = text(rangeList_);
    request.baseName = destination_->baseName();
    request.destinationFolder = destination_->folder();
    return request;
}
