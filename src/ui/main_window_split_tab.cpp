#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolButton>

#include "ui/control_factory.h"
#include "ui/main_window.h"
#include "ui/main_window_layout.h"

using namespace controls;
using namespace window_layout;

void TFormTest::_buildSplitTab() {
    QWidget* tab = TabSplit;
    SplitStringGrid = fileGrid(tab, "SplitStringGrid", gridX, gridY, 80, 1);
    splitBtnAddFile = iconButton(tab, "splitBtnAddFile", "add", "Add a PDF file", sideButtonX, gridY);
    splitBtnRemoveFile = iconButton(tab, "splitBtnRemoveFile", "remove", "Remove the file", sideButtonX, gridY + 42);

    frm_split_method = group(tab, "frm_split_method", "Split Method", gridX, groupY, destGroupX - 12 - gridX,
                             groupHeight);
    QWidget* method = frm_split_method;
    // Each row: radio button, count field, label, start field; wide enough for
    // the longer captions of the language files.
    const int radioWidth = 166, fieldX = 184, fieldWidth = 40, labelX = 230, labelWidth = 216, startX = 450;
    r_split_method1 = radio(method, "r_split_method1", "Into files of", 14, 30, radioWidth);
    r_split_method1->setChecked(true);
    split_method1_input1 = numberField(method, "split_method1_input1", "1", fieldX, 30, fieldWidth);
    lbl_split_pages = label(method, "lbl_split_pages", "pages", labelX, 30, labelWidth);

    r_split_method3 = radio(method, "r_split_method3", "Every group of", 14, 66, radioWidth);
    split_method3_input1 = numberField(method, "split_method3_input1", "3", fieldX, 66, fieldWidth);
    Label14 = label(method, "Label14", "pages, starting with page", labelX, 66, labelWidth);
    split_method3_input2 = numberField(method, "split_method3_input2", "1", startX, 66, fieldWidth);

    r_split_method4 = radio(method, "r_split_method4", "Each", 14, 102, radioWidth);
    split_method4_input1 = numberField(method, "split_method4_input1", "3", fieldX, 102, fieldWidth);
    Label15 = label(method, "Label15", "page, starting with page", labelX, 102, labelWidth);
    split_method4_input2 = numberField(method, "split_method4_input2", "1", startX, 102, fieldWidth);

    r_split_method2 = radio(method, "r_split_method2", "By page Range", 14, 138, radioWidth);
    split_method2_input1 = textField(method, "split_method2_input1", "", fieldX, 138, startX + fieldWidth - fieldX);

    lbl_split_demo = label(method, "lbl_split_demo",
                           "Page range separated by comma, semi-colon to separate files. "
                           "Example: 1-4,6,9-10;5,6;12;20-21,23;",
                           14, 178, startX + fieldWidth - 14, 60);
    lbl_split_demo->setWordWrap(true);
    lbl_split_demo->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    frm_split_dest = group(tab, "frm_split_dest", "Destination folder and filename settings", destGroupX, groupY,
                           gridX + 969 - destGroupX, groupHeight);
    QWidget* dest = frm_split_dest;
    const int destRight = frm_split_dest->width() - 14;
    lbl_split_basefilename = label(dest, "lbl_split_basefilename", "Base Filename", 14, 30, 142);
    split_base_filename = textField(dest, "split_base_filename", "filename", 160, 30, destRight - 160);
    lbl_split_dest = label(dest, "lbl_split_dest", "Destination folder", 14, 66, 142);
    split_dest_source = radio(dest, "split_dest_source", "Use source folder", 160, 66, destRight - 160);
    split_dest_source->setChecked(true);
    split_dest_other = radio(dest, "split_dest_other", "Select new folder", 160, 96, destRight - 160);
    split_destination_folder = readOnlyField(dest, "split_destination_folder", 14, 138, destRight - 98 - 14);
    cmd_split_dest = button(dest, "cmd_split_dest", "Browse", destRight - 92, 136, 92, 28);

    cmd_split_run = button(tab, "cmd_split_run", "Split this PDF!", runButtonX, runButtonY, 158, 36);
    ProgressBarSplit = progressBar(tab, "ProgressBarSplit", gridX, progressY, runButtonX - gridX - 16);
}
