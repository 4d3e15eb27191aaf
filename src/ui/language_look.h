#pragma once
#include <QFont>
#include <QString>

// What a language needs of the window beyond its texts, by its code ("de",
// "ja", "ar"): the direction its lines run in and fonts that show its script.

// Right to left for a language written so (Arabic), else left to right.
Qt::LayoutDirection layoutDirectionOf(const QString& languageCode);

// The window's font: Segoe UI 11 pixels high, or the desktop's sans font at
// a size that reads alike where Segoe UI is not installed. For a language
// whose script that font lacks (Chinese, Japanese, Korean, and Arabic where
// the font has no Arabic letters), an installed font of that script follows
// it, so that the script's own shapes are used (a Japanese font for
// Japanese, not a Chinese one).
QFont windowFont(const QString& languageCode);

// The text with each list of numbers (such as "1-4,6;9-10;") set apart as a
// left-to-right run, so that a right-to-left line keeps its order.
QString isolateNumberLists(const QString& text);
