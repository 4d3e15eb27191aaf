#pragma once
#include "app/command_line.h"

class TFormTest;

// The command line's view of the main window: its lists, its merge output
// field, its tabs and its jobs.
class WindowCommandHost : public CommandLineHost {
public:
    explicit WindowCommandHost(TFormTest& window) : window_(window) {}
    void setCommandLine(bool value) override;
    void setCommandLineSilent(bool value) override;
    void addSplitFile(const std::string& path) override;
    void addMergeFile(const std::string& path) override;
    void setMergeDestination(const std::string& path) override;
    void showMergeTab() override;
    int runSplit() override;
    bool runMerge() override;

private:
    TFormTest& window_;
};
