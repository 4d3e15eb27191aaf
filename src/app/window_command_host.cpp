#include "app/window_command_host.h"

#include <QTimer>

#include "ui/dialogs.h"
#include "ui/main_window.h"

void WindowCommandHost::addSplitFile(const std::string& path) { window_.addFile(ListKind::Split, path); }
void WindowCommandHost::addMergeFile(const std::string& path) { window_.addFile(ListKind::Merge, path); }
void WindowCommandHost::showMergeTab() { window_.openOnTab(WindowTab::Merge); }

void WindowCommandHost::showMessageWhenOpen(const std::string& text) {
    // The event loop runs the timer once the window is shown.
    Dialogs& dialogs = dialogs_;
    QTimer::singleShot(0, &window_, [&dialogs, text] { dialogs.showMessage(text); });
}
