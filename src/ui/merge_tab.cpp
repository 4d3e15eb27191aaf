#include "ui/merge_tab.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>

#include "ui/control_factory.h"
#include "ui/dialogs.h"
#include "ui/file_filter.h"
#include "ui/main_window_layout.h"
#include "ui/widget_names.h"

using namespace controls;
using namespace window_layout;

MergeTab::MergeTab(Dialogs& dialogs, QWidget* parent) : JobTab(parent), dialogs_(dialogs) {
    setObjectName(QString::fromLatin1(widgetName::mergeTab));
    grid_ = controls::fileGrid(this, widgetName::mergeGrid, gridX, gridY, 205, 7);
    addButton_ = iconButton(this, widgetName::mergeAddButton, "add", "Add PDF files", sideButtonX, gridY);
    removeButton_ = iconButton(this, widgetName::mergeRemoveButton, "remove", "Remove the selected file",
                               sideButtonX, gridY + 42);
    upButton_ =
        iconButton(this, widgetName::mergeUpButton, "move-up", "Move the selected file up", sideButtonX, gridY + 84);
    downButton_ = iconButton(this, widgetName::mergeDownButton, "move-down", "Move the selected file down",
                             sideButtonX, gridY + 126);

    outputGroup_ = group(this, widgetName::mergeOutputGroup, "Output file options", gridX, gridY + 205 + 16, 969, 76);
    outputLabel_ = label(outputGroup_, widgetName::mergeOutputLabel, "Output filename", 14, 32, 186);
    output_ = readOnlyField(outputGroup_, widgetName::mergeOutput, 206, 32, 641);
    browseButton_ = button(outputGroup_, widgetName::mergeBrowse, "Browse", 857, 30, 98, 28);

    runButton_ = button(this, widgetName::mergeRunButton, "Merge files!", runButtonX, runButtonY, 158, 36);
    progressBar_ = controls::progressBar(this, widgetName::mergeProgress, gridX, progressY, runButtonX - gridX - 16);
    connect(browseButton_, &QPushButton::clicked, this, &MergeTab::chooseOutput);
}

std::string MergeTab::outputPath() const { return output_->text().toStdString(); }

void MergeTab::setOutputPath(const std::string& path) { output_->setText(QString::fromStdString(path)); }

void MergeTab::chooseOutput() {
    if (saveName_.empty()) saveName_ = "output.pdf";
    const std::string chosen = dialogs_.chooseSaveFile(pdfFileFilter, "pdf", saveName_);
    if (chosen.empty()) return;
    saveName_ = chosen;
    setOutputPath(chosen);
}
