#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>

#include "ui/bookmark_choice.h"
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
    mergeBookmarks = bookmarkChoice(merge_output, "merge", {14, 68}, 186, {206, 68}, {246, 246, 246},
                                    {"Keep the files' bookmarks", "One entry per file", "No bookmarks"});

    cmd_merge = button(tab, "cmd_merge", "Merge files!", runButtonX, runButtonY, 158, 36);
    ProgressBar2 = progressBar(tab, "ProgressBar2", gridX, progressY, runButtonX - gridX - 16);
}
