#include "app/window_command_host.h"

#include "ui/main_window.h"

void WindowCommandHost::addSplitFile(const std::string& path) { window_.addFile(ListKind::Split, path); }
void WindowCommandHost::addMergeFile(const std::string& path) { window_.addFile(ListKind::Merge, path); }
void WindowCommandHost::showMergeTab() { window_.openOnTab(WindowTab::Merge); }
