#pragma once
#include <QString>

class QWidget;

// Shows the widget, lets it draw and saves a picture of it; throws naming the
// file when the picture cannot be taken or written.
void saveScreenshot(QWidget& widget, const QString& path);

void takeMainWindowScreenshots(const QString& folder);
void takeProtectionDialogScreenshots(const QString& folder);
void takePageStripScreenshots(const QString& folder);
