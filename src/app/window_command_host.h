#pragma once
#include "app/window_switches.h"

class Dialogs;
class TFormTest;

// The main window as the command line fills it before it opens.
class WindowCommandHost : public CommandLineWindow {
public:
    WindowCommandHost(TFormTest& window, Dialogs& dialogs) : window_(window), dialogs_(dialogs) {}
    void addSplitFile(const std::string& path) override;
    void addMergeFile(const std::string& path) override;
    void showMergeTab() override;
    void showMessageWhenOpen(const std::string& text) override;

private:
    TFormTest& window_;
    Dialogs& dialogs_;
};
