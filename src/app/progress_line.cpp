#include "app/progress_line.h"

#include <algorithm>

namespace {

// Back to the start of the line, and clear it to its end.
constexpr const char* ClearLine = "\r\033[K";

}  // namespace

ProgressLine::ProgressLine(std::ostream& terminal, bool shown, int plannedFiles)
    : terminal_(terminal), shown_(shown), planned_(plannedFiles) {
    draw();
}

ProgressLine::~ProgressLine() { erase(); }

void ProgressLine::setPercent(int percent) {
    percent_ = percent;
    draw();
}

void ProgressLine::fileWritten() {
    ++written_;
    draw();
}

void ProgressLine::interrupt(const std::function<void()>& write) {
    erase();
    write();
    draw();
}

std::string ProgressLine::text(int written, int planned, int percent) {
    // A group the plan expected no page in may still be written.
    std::string line = "Files written: " + std::to_string(written);
    if (planned >= 0) line += " of " + std::to_string(std::max(planned, written));
    if (percent > 0) line += " (" + std::to_string(percent) + "%)";
    return line;
}

void ProgressLine::draw() {
    if (!shown_) return;
    const std::string line = text(written_, planned_, percent_);
    if (line == drawn_) return;
    terminal_ << ClearLine << line << std::flush;
    drawn_ = line;
}

void ProgressLine::erase() {
    if (drawn_.empty()) return;
    terminal_ << ClearLine << std::flush;
    drawn_.clear();
}
