#include "ui/window_reporter.h"

#include <QCoreApplication>
#include <QProgressBar>

#include "ui/dialogs.h"

WindowReporter::WindowReporter(Dialogs& dialogs, std::function<std::string(const std::string&)> translate,
                               QProgressBar* progressBar)
    : dialogs_(dialogs), translate_(std::move(translate)), progressBar_(progressBar) {}

void WindowReporter::showMessage(const std::string& text) {
    dialogs_.showMessage(text);
}

std::string WindowReporter::translation(const std::string& key) {
    return translate_(key);
}

void WindowReporter::setProgressPosition(int position) {
    if (!progressBar_) return;
    progressBar_->setValue(position);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void WindowReporter::setProgressVisible(bool visible) {
    if (!progressBar_) return;
    progressBar_->setVisible(visible);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
