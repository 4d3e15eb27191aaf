#include "app/window_command_host.h"

#include <QTabWidget>
#include <QTimer>

#include "ui/dialogs.h"
#include "ui/main_window.h"

void WindowCommandHost::addSplitFile(const std::string& path) { window_._addSplitFile(path); }
void WindowCommandHost::addMergeFile(const std::string& path) { window_._addMergeFile(path); }

void WindowCommandHost::showMergeTab() {
    window_.PageControl1->setCurrentWidget(window_.TabMerge);
    window_._isCommandLine = true;  // kept when the window is shown
}

void WindowCommandHost::showMessageWhenOpen(const std::string& text) {
    // The event loop runs the timer once the window is shown.
    Dialogs& dialogs = dialogs_;
    QTimer::singleShot(0, &window_, [&dialogs, text] { dialogs.showMessage(text); });
}
