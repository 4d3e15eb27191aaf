#include "ui/job_input_blocker.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace {

bool isUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonRelease:
        case QEvent::NonClientAreaMouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
        case QEvent::Close:
            return true;
        default:
            return false;
    }
}

}  // namespace

JobInputBlocker::JobInputBlocker(QWidget* window) : window_(window) {
    if (QCoreApplication* application = QCoreApplication::instance()) application->installEventFilter(this);
}

JobInputBlocker::~JobInputBlocker() {
    QCoreApplication* application = QCoreApplication::instance();
    if (!application) return;
    // Input held back while the job repainted the window arrives here and is dropped.
    QCoreApplication::processEvents();
    application->removeEventFilter(this);
}

bool JobInputBlocker::aimsAtWindow(QObject* watched) const {
    if (!window_) return false;
    if (watched->isWidgetType()) return static_cast<QWidget*>(watched)->window() == window_;
    if (watched->isWindowType()) return watched == window_->windowHandle();
    return false;
}

bool JobInputBlocker::eventFilter(QObject* watched, QEvent* event) {
    if (isUserInput(event->type()) && aimsAtWindow(watched)) {
        event->ignore();
        return true;
    }
    return false;
}
