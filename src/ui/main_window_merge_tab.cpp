#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>

#include "ui/control_factory.h"
#include "ui/main_window.h"
#include "ui/main_window_layout.h"

using namespace controls;
using namespace window_layout;

void TFormTest::_buildMergeTab() {
    QWidget* tab = TabMerge;
    MergeStringGrid = fileGrid(tab, "MergeStringGrid", gridX, gridY, 205, 7);
    mergeBtnAddFile = iconButton(tab, "mergeBtnAddFile", "add", "Add PDF files", sideButtonX, gridY);
    mergeBtnRemoveFile = iconButton(tab, "mergeBtnRemoveFile", "remove", "Remove the selected file", sideButtonX,
                                    gridY + 42);
    mergeBtnMoveUp = iconButton(tab, "mergeBtnMoveUp", "move-up", "Move the selected file up", sideButtonX, gridY + 84);
    mergeBtnMoveDown = iconButton(tab, "mergeBtnMoveDown", "move-down", "Move the selected file down", sideButtonX,
                                  gridY + 126);

    merge_output = group(tab, "merge_output", "Output file options", gridX, gridY + 205 + 16, 969, 108);
    lbl_mfile = label(merge_output, "lbl_mfile", "Output filename", 14, 32, 186);
    merge_destination_filename = readOnlyField(merge_output, "merge_destination_filename", 206, 32, 641);
    cmd_merge_dest = button(merge_output, "cmd_merge_dest", "Browse", 857, 30, 98, 28);
    lbl_merge_bookmarks = label(merge_output, "lbl_merge_bookmarks", "Bookmarks", 14, 68, 186);
    merge_bookmarks_keep = radio(merge_output, "merge_bookmarks_keep", "Keep the files' bookmarks", 206, 68, 240);
    merge_bookmarks_per_file = radio(merge_output, "merge_bookmarks_per_file", "One entry per file", 456, 68, 240);
    merge_bookmarks_none = radio(merge_output, "merge_bookmarks_none", "No bookmarks", 706, 68, 240);
    auto* bookmarks = new QButtonGroup(merge_output);
    for (QRadioButton* choice : {merge_bookmarks_keep, merge_bookmarks_per_file, merge_bookmarks_none})
        bookmarks->addButton(choice);
    merge_bookmarks_keep->setChecked(true);

    cmd_merge = button(tab, "cmd_merge", "Merge files!", runButtonX, runButtonY, 158, 36);
    ProgressBar2 = progressBar(tab, "ProgressBar2", gridX, progressY, runButtonX - gridX - 16);
}
