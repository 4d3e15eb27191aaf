#pragma once
#include "app/command_line.h"

class TFormTest;

// The main window as the command line fills it before it opens.
class WindowCommandHost : public CommandLineWindow {
public:
    explicit WindowCommandHost(TFormTest& window) : window_(window) {}
    void addSplitFile(const std::string& path) override;
    void addMergeFile(const std::string& path) override;
    void showMergeTab() override;

private:
    TFormTest& window_;
};
