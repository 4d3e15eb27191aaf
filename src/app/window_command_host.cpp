#include "app/window_command_host.h"

#include <QLineEdit>
#include <QTabWidget>

#include "ui/main_window.h"

void WindowCommandHost::setCommandLine(bool value) { window_._isCommandLine = value; }
void WindowCommandHost::setCommandLineSilent(bool value) { window_._isCommandLineSilent = value; }
void WindowCommandHost::addSplitFile(const std::string& path) { window_._addSplitFile(path); }
void WindowCommandHost::addMergeFile(const std::string& path) { window_._addMergeFile(path); }

void WindowCommandHost::setMergeDestination(const std::string& path) {
    window_.merge_destination_filename->setText(QString::fromStdString(path));
}

void WindowCommandHost::showMergeTab() { window_.PageControl1->setCurrentWidget(window_.TabMerge); }

int WindowCommandHost::runSplit() {
    const int before = window_._filesFinished;
    window_._runSplit();
    return window_._filesFinished - before;
}

bool WindowCommandHost::runMerge() { return window_._runMerge(); }
