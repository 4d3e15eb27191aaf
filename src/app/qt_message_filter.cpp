#include "app/qt_message_filter.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>

namespace {

QtMessageHandler qtHandler = nullptr;

void filterMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtCriticalMsg && type != QtFatalMsg) return;
    if (qtHandler) {
        qtHandler(type, context, message);
    } else {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    }
}

}  // namespace

void installQtMessageFilter() {
    if (qEnvironmentVariableIsSet("QT_LOGGING_RULES")) return;
    qtHandler = qInstallMessageHandler(filterMessage);
}
