#pragma once
#include <functional>
#include <ostream>
#include <string>

// A line on a terminal that shows how many of a job's files are written,
// rewritten in place as the job goes and erased when it ends, so that a
// finished job leaves nothing behind it. Writes nothing when not shown
// (standard error is no terminal, or the user asked for quiet).
class ProgressLine {
public:
    ProgressLine(std::ostream& terminal, bool shown, int plannedFiles);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // How far the job is through its pages, 0 to 100.
    void setPercent(int percent);
    void fileWritten();
    // Runs write (a message to the same terminal) with the line erased, then
    // shows the line again.
    void interrupt(const std::function<void()>& write);

    // "Files written: 3 of 10 (45%)"; the percentage once there is one; no
    // total when planned is below 0 (not known).
    static std::string text(int written, int planned, int percent);

private:
    void draw();
    void erase();

    std::ostream& terminal_;
    const bool shown_;
    const int planned_;
    int written_ = 0;
    int percent_ = 0;
    std::string drawn_;  // what the terminal shows now, "" when nothing
};
