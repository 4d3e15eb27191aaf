#include "ui/mix_tab.h"

#include <QCheckBox>
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

using namespace controls;
using namespace window_layout;

MixMethodGroup::MixMethodGroup(const MixMethodNames& names, const QString& title, QWidget* parent,
                               const QRect& place)
    : QGroupBox(title, parent) {
    setObjectName(QString::fromLatin1(names.group));
    setGeometry(place);
    // Each row: radio button, count field, label, start field.
    groupMethod_ = radio(this, names.groupMethod, "Every group of", 12, 26, 150);
    groupCount_ = numberField(this, names.groupCount, "3", 166, 26, 40);
    groupLabel_ = label(this, names.groupLabel, "pages, starting with page", 212, 26, 216);
    groupStart_ = numberField(this, names.groupStart, "1", 432, 26, 40);
    eachMethod_ = radio(this, names.eachMethod, "Each", 12, 60, 150);
    eachCount_ = numberField(this, names.eachCount, "3", 166, 60, 40);
    eachLabel_ = label(this, names.eachLabel, "page, starting with page", 212, 60, 216);
    eachStart_ = numberField(this, names.eachStart, "1", 432, 60, 40);
    groupMethod_->setChecked(true);
}

MixMethodFields MixMethodGroup::fields() const {
    MixMethodFields fields;
    fields.method = eachMethod_->isChecked() ? MixMethod::Each : MixMethod::EveryGroupOf;
    fields.groupCount = groupCount_->text().toStdString();
    fields.groupStart = groupStart_->text().toStdString();
    fields.eachCount = eachCount_->text().toStdString();
    fields.eachStart = eachStart_->text().toStdString();
    return fields;
}

MixTab::MixTab(Dialogs& dialogs, QWidget* parent) : JobTab(parent) {
    setObjectName(QString::fromLatin1(widgetName::mixTab));
    grid_ = controls::fileGrid(this, widgetName::mixGrid, gridX, gridY, 80, 2);
    addButton_ = iconButton(this, widgetName::mixAddButton, "add", "Add a PDF file", sideButtonX, gridY);
    removeButton_ = iconButton(this, widgetName::mixRemoveButton, "remove", "Remove the selected file", sideButtonX,
                               gridY + 42);

    const int methodWidth = 560;
    methodGroup_ = group(this, widgetName::mixMethodGroup, "Mix method", gridX, groupY, methodWidth, groupHeight);
    firstMethod_ = new MixMethodGroup(widgetName::mixFirstMethod, QStringLiteral("Use from first document (base file)"),
                                      methodGroup_, QRect(10, 22, methodWidth - 20, 96));
    secondMethod_ = new MixMethodGroup(widgetName::mixSecondMethod, QStringLiteral("Use from second document"),
                                       methodGroup_, QRect(10, 124, methodWidth - 20, 132));
    reverseSecond_ = checkBox(secondMethod_, widgetName::mixReverseSecond, "Reverse order", 12, 96, 400);

    const int destX = gridX + methodWidth + 12;
    destination_ = new DestinationGroup(widgetName::mixDestination, dialogs, this,
                                        QRect(destX, groupY, gridX + 969 - destX, groupHeight));
    singleFile_ = checkBox(destination_, widgetName::mixSingleFile, "Write all turns into one file", 14, 180, 369);

    runButton_ = button(this, widgetName::mixRunButton, "Mix files!", runButtonX, runButtonY, 158, 36);
    progressBar_ = controls::progressBar(this, widgetName::mixProgress, gridX, progressY, runButtonX - gridX - 16);
}

MixRequest MixTab::request() const {
    MixRequest request;
    request.firstMethod = firstMethod_->fields();
    request.secondMethod = secondMethod_->fields();
    request.baseName = destination_->baseName();
    request.destinationFolder = destination_->folder();
    request.reverseSecond = reverseSecond_->isChecked();
    request.singleFile = singleFile_->isChecked();
    return request;
}
