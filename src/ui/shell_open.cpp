#include "ui/shell_open.h"

#include <QDesktopServices>
#include <QUrl>

bool openOnDesktop(const std::string& target) {
    return QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromStdString(target)));
}
