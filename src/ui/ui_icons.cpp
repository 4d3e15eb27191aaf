#include "ui/ui_icons.h"

#include <QString>

void initUiResources() { Q_INIT_RESOURCE(icons); }

QIcon lockIcon(bool locked) {
    return QIcon(locked ? QStringLiteral(":/icons/locked.png") : QStringLiteral(":/icons/unlocked.png"));
}

QIcon applicationIcon() { return QIcon(QStringLiteral(":/icons/splimera.png")); }
