#pragma once
#include <string>

#include "jobs/merge_request.h"

#include "ui/job_tab.h"

class BookmarkChoice;
class Dialogs;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;

// The Merge tab: the files in merge order, with buttons to move the selected
// one, and the output file chosen with a Save dialog.
class MergeTab : public JobTab {
    Q_OBJECT
public:
    MergeTab(Dialogs& dialogs, QWidget* parent);

    QToolButton* upButton() const { return upButton_; }
    QToolButton* downButton() const { return downButton_; }

    // The merge the tab's fields describe; the files and their pages are the window's.
    MergeRequest request() const;
    std::string outputPath() const;
    // A blank page after every file of an odd number of pages.
    bool padOdd() const;
    QCheckBox* padOddBox() const { return padOdd_; }
    void setOutputPath(const std::string& path);
    // Whether the output is the file just chosen in the Save dialog, which
    // asked already whether to replace it; true once per choice, so that the
    // next run asks again.
    bool takeOutputConfirmation();
    void showTotalPages(const QString& text);

private:
    // The Save dialog proposes "output.pdf" the first time and the last chosen name afterwards.
    void chooseOutput();

    Dialogs& dialogs_;
    QToolButton* upButton_ = nullptr;
    QToolButton* downButton_ = nullptr;
    QGroupBox* outputGroup_ = nullptr;
    QLabel* outputLabel_ = nullptr;
    QLineEdit* output_ = nullptr;
    QPushButton* browseButton_ = nullptr;
    QLabel* totalPages_ = nullptr;
    BookmarkChoice* bookmarks_ = nullptr;
    QCheckBox* padOdd_ = nullptr;
    std::string saveName_;  // the Save dialog's file name, kept between uses
    std::string confirmedOutput_;
};
