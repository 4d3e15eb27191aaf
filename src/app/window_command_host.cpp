#include "app/window_command_host.h"

#include <QTabWidget>

#include "ui/main_window.h"

void WindowCommandHost::addSplitFile(const std::string& path) { window_._addSplitFile(path); }
void WindowCommandHost::addMergeFile(const std::string& path) { window_._addMergeFile(path); }

void WindowCommandHost::showMergeTab() {
    window_.PageControl1->setCurrentWidget(window_.TabMerge);
    window_._isCommandLine = true;  // kept when the window is shown
}
