#include "ui/shell_open.h"

#include <QDesktopServices>
#include <QUrl>

void openOnDesktop(const std::string& target) {
    QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromStdString(target)));
}
