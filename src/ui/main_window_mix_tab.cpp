#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QToolButton>

#include "ui/bookmark_choice.h"
#include "ui/control_factory.h"
#include "ui/main_window.h"
#include "ui/main_window_layout.h"

using namespace controls;
using namespace window_layout;

namespace {

// One row of a document's method group: radio button, count field, label, start field.
struct MethodRow {
    QRadioButton* method;
    QLineEdit* count;
    QLabel* label;
    QLineEdit* start;
};

MethodRow methodRow(QWidget* group, const QString& radioName, const QString& caption, const QString& countName,
                    const QString& labelName, const QString& labelText, const QString& startName, int y) {
    return {radio(group, radioName, caption, 12, y, 150), numberField(group, countName, "3", 166, y, 40),
            label(group, labelName, labelText, 212, y, 216), numberField(group, startName, "1", 432, y, 40)};
}

}  // namespace

void TFormTest::_buildMixTab() {
    QWidget* tab = TabMix;
    MixStringGrid = fileGrid(tab, "MixStringGrid", gridX, gridY, 80, 2);
    mixBtnAddFile = iconButton(tab, "mixBtnAddFile", "add", "Add a PDF file", sideButtonX, gridY);
    mixBtnRemoveFile = iconButton(tab, "mixBtnRemoveFile", "remove", "Remove the selected file", sideButtonX,
                                  gridY + 42);

    const int methodWidth = 560;
    frm_mix_method = group(tab, "frm_mix_method", "Mix method", gridX, groupY, methodWidth, groupHeight);
    frm_mix_meth_doc1 = group(frm_mix_method, "frm_mix_meth_doc1", "Use from first document (base file)", 10, 22,
                              methodWidth - 20, 96);
    MethodRow row = methodRow(frm_mix_meth_doc1, "r_mix1_method1", "Every group of", "mix_doc1_method1_input1",
                              "r_mix1_method1_lbl2", "pages, starting with page", "mix_doc1_method1_input2", 26);
    r_mix1_method1 = row.method, mix_doc1_method1_input1 = row.count, r_mix1_method1_lbl2 = row.label,
    mix_doc1_method1_input2 = row.start;
    row = methodRow(frm_mix_meth_doc1, "r_mix1_method2", "Each", "mix_doc1_method2_input1", "r_mix1_method2_lbl2",
                    "page, starting with page", "mix_doc1_method2_input2", 60);
    r_mix1_method2 = row.method, mix_doc1_method2_input1 = row.count, r_mix1_method2_lbl2 = row.label,
    mix_doc1_method2_input2 = row.start;
    r_mix1_method1->setChecked(true);

    frm_mix_meth_doc2 = group(frm_mix_method, "frm_mix_meth_doc2", "Use from second document", 10, 124,
                              methodWidth - 20, 132);
    row = methodRow(frm_mix_meth_doc2, "r_mix2_method1", "Every group of", "mix_doc2_method1_input1",
                    "r_mix2_method1_lbl2", "pages, starting with page", "mix_doc2_method1_input2", 26);
    r_mix2_method1 = row.method, mix_doc2_method1_input1 = row.count, r_mix2_method1_lbl2 = row.label,
    mix_doc2_method1_input2 = row.start;
    row = methodRow(frm_mix_meth_doc2, "r_mix2_method2", "Each", "mix_doc2_method2_input1", "r_mix2_method2_lbl2",
                    "page, starting with page", "mix_doc2_method2_input2", 60);
    r_mix2_method2 = row.method, mix_doc2_method2_input1 = row.count, r_mix2_method2_lbl2 = row.label,
    mix_doc2_method2_input2 = row.start;
    r_mix2_method1->setChecked(true);
    mix_reverse_second = checkBox(frm_mix_meth_doc2, "mix_reverse_second", "Reverse order", 12, 96, 400);

    const int destX = gridX + methodWidth + 12;
    frm_mix_dest = group(tab, "frm_mix_dest", "Destination folder and filename settings", destX, groupY,
                         gridX + 969 - destX, groupHeight);
    QWidget* dest = frm_mix_dest;
    lbl_mix_basefilename = label(dest, "lbl_mix_basefilename", "Base Filename", 14, 30, 142);
    mix_base_filename = textField(dest, "mix_base_filename", "filename", 160, 30, 223);
    lbl_mix_dest = label(dest, "lbl_mix_dest", "Destination folder", 14, 66, 142);
    mix_dest_source = radio(dest, "mix_dest_source", "Use source folder", 160, 66, 223);
    mix_dest_source->setChecked(true);
    mix_dest_other = radio(dest, "mix_dest_other", "Select new folder", 160, 96, 223);
    mix_destination_folder = readOnlyField(dest, "mix_destination_folder", 14, 138, 271);
    cmd_mix_dest = button(dest, "cmd_mix_dest", "Browse", 291, 136, 92, 28);
    mix_single_file = checkBox(dest, "mix_single_file", "Write all turns into one file", 14, 180, 369);
    mixBookmarks = bookmarkChoice(dest, "mix", {14, 208}, 369, {14, 232}, {118, 118, 121},
                                  {"Keep", "One per file", "None"});

    cmd_mix_run = button(tab, "cmd_mix_run", "Mix files!", runButtonX, runButtonY, 158, 36);
    ProgressBarMix = progressBar(tab, "ProgressBarMix", gridX, progressY, runButtonX - gridX - 16);
}
