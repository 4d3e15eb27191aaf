#include "ui/shell_open.h"

#include <QDesktopServices>
#include <QUrl>

void ShellOpen(const std::string& target, const std::string& /*parameters*/) {
    QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromStdString(target)));
}
