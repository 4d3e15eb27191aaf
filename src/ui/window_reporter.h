#pragma once
#include <functional>
#include <string>

#include "jobs/job_reporter.h"

class Dialogs;
class QProgressBar;

// What a job tells the user in the window: message boxes, translations and
// the progress bar of its tab. The window repaints at every progress step;
// the user's input waits meanwhile (and JobInputBlocker drops it).
class WindowReporter : public JobReporter {
public:
    WindowReporter(Dialogs& dialogs, std::function<std::string(const std::string&)> translate,
                   QProgressBar* progressBar);

    void showMessage(const std::string& text) override;
    std::string translation(const std::string& key) override;
    void setProgressPosition(int position) override;
    void setProgressVisible(bool visible) override;

private:
    Dialogs& dialogs_;
    std::function<std::string(const std::string&)> translate_;
    QProgressBar* progressBar_;
};
