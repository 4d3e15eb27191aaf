#pragma once
#include <QIcon>

// The pictures of the icon buttons and the window, held as resources under
// ":/icons/" (locked.png, unlocked.png, add.png, remove.png, move-up.png,
// move-down.png, splimera.png). Drawn as SVG in src/ui/icons/ and rendered to
// PNG by scripts/render-icons.sh, so no image plugin is needed to show them.

// Registers the resources; the ui library is static, so the program calls
// this once before the first picture is used.
void initUiResources();

// The settings button's picture: a closed padlock when an output password is set.
QIcon lockIcon(bool locked);

// The application's icon, on the window and the About tab.
QIcon applicationIcon();
