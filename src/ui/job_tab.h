#pragma once
#include <QWidget>
#include <vector>

class FileGrid;
class PageStrip;
class QBoxLayout;
class QLayout;
class QProgressBar;
class QPushButton;
class QToolButton;

// What the Split, Merge and Mix tabs share: a file grid with its add and
// remove buttons, and the run button with the job's progress bar. The window
// connects these to the file lists and the job.
class JobTab : public QWidget {
    Q_OBJECT
public:
    FileGrid* fileGrid() const { return grid_; }
    QToolButton* addButton() const { return addButton_; }
    QToolButton* removeButton() const { return removeButton_; }
    QPushButton* runButton() const { return runButton_; }
    QProgressBar* progressBar() const { return progressBar_; }

    // While a job runs, every control of the tab is disabled but the run
    // button of the tab whose job it is: that one reads `cancelCaption` and
    // stops the job. Afterwards the run button gets its caption back.
    void setJobRunning(bool running, bool ownJob, const QString& cancelCaption);
    // Puts the tab's panel of pages above the run button, and the button
    // that opens it beside the progress bar. Open, the panel takes the
    // height the window gives beyond the least.
    void placePageStrip(PageStrip* strip);

signals:
    // The run button was pressed: the window runs the tab's request, or
    // stops the job the button reads Cancel for.
    void runRequested();

protected:
    explicit JobTab(QWidget* parent);

    // Places the grid with the buttons beside it on top, `options` under it
    // and the progress bar with the run button at the bottom. The grid takes
    // `gridStretch` of the height the window gives beyond the least.
    void arrange(const std::vector<QToolButton*>& sideButtons, QLayout* options, int gridStretch);
    void changeEvent(QEvent* event) override;

    FileGrid* grid_ = nullptr;
    QToolButton* addButton_ = nullptr;
    QToolButton* removeButton_ = nullptr;
    QPushButton* runButton_ = nullptr;
    QProgressBar* progressBar_ = nullptr;

private:
    void alignWithGrid();
    void giveRoomToPages(bool open);

    QLayout* optionsPlace_ = nullptr;
    int besideGrid_ = 0;
    QBoxLayout* whole_ = nullptr;
    int blankPlace_ = 0;  // the blank under the options, as an item of whole_
    int blankStretch_ = 0;
    QBoxLayout* stripPlace_ = nullptr;
    QBoxLayout* runRow_ = nullptr;
    QString runCaption_;  // while the run button reads Cancel
};
