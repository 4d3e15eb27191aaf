#include "ui/ui_icons.h"

#include <QImage>
#include <gtest/gtest.h>

#include "qt_application.h"

namespace {

TEST(UiIcons, EveryPictureLoadsFromTheResources) {
    ensureQtApplication();
    initUiResources();
    for (const char* name : {"locked", "unlocked", "add", "remove", "move-up", "move-down", "splimera"}) {
        const QImage picture(QStringLiteral(":/icons/%1.png").arg(QLatin1String(name)));
        EXPECT_EQ(picture.size(), QSize(64, 64)) << name;
        EXPECT_TRUE(picture.hasAlphaChannel()) << name;
    }
    const QImage locked = lockIcon(true).pixmap(32, 32).toImage();
    const QImage unlocked = lockIcon(false).pixmap(32, 32).toImage();
    EXPECT_FALSE(locked.isNull());
    EXPECT_FALSE(unlocked.isNull());
    EXPECT_NE(locked, unlocked);
}

}  // namespace
