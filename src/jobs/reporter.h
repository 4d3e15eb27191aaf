#pragma once
#include <string>

// What a job tells its user: message boxes, translated texts and the
// position of its tab's progress bar. The window, the command line and the
// tests each provide their own.
class Reporter {
public:
    virtual ~Reporter() = default;
    virtual void showMessage(const std::string& text) = 0;
    virtual std::string translation(const std::string& key) = 0;
    virtual void setProgressPosition(int /*position*/) {}
    virtual void setProgressVisible(bool /*visible*/) {}
};
