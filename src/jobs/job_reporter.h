#pragma once
#include <string>

#include "finishing/written_output.h"

// What a job tells its user while it runs: messages, the position of a
// progress bar and every file it wrote. The window, the command line and the
// tests each provide their own.
class JobReporter {
public:
    virtual ~JobReporter() = default;
    virtual void showMessage(const std::string& text) = 0;
    // The text of a message key in the user's language.
    virtual std::string translation(const std::string& key) = 0;
    virtual void setProgressPosition(int /*position*/) {}
    virtual void setProgressVisible(bool /*visible*/) {}
    // A file the job has written and finished, once it is at its target.
    virtual void outputWritten(const WrittenOutput& /*output*/) {}
    // An input that was damaged and has been read through a repair of it.
    virtual void inputRepaired(const std::string& /*path*/) {}
    // The user asked the job to stop: the run functions look between outputs,
    // so the files written before stay whole and no file is left half made.
    virtual bool stopRequested() const { return false; }
};
