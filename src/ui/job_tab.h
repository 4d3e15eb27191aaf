#pragma once
#include <QWidget>

class QProgressBar;
class QPushButton;
class QTableWidget;
class QToolButton;

// What the Split, Merge and Mix tabs share: a file grid with its add and
// remove buttons, and the run button with the job's progress bar. The window
// connects these to the file lists and the job.
class JobTab : public QWidget {
    Q_OBJECT
public:
    QTableWidget* fileGrid() const { return grid_; }
    QToolButton* addButton() const { return addButton_; }
    QToolButton* removeButton() const { return removeButton_; }
    QPushButton* runButton() const { return runButton_; }
    QProgressBar* progressBar() const { return progressBar_; }

protected:
    explicit JobTab(QWidget* parent);

    QTableWidget* grid_ = nullptr;
    QToolButton* addButton_ = nullptr;
    QToolButton* removeButton_ = nullptr;
    QPushButton* runButton_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
};
