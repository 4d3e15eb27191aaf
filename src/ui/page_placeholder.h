#pragma once
#include <QPixmap>
#include <QSize>

// What stands in a page's place until its picture is there: a blank sheet
// while it is being drawn, a crossed-out one when it could not be drawn.
QPixmap pagePlaceholder(QSize box, bool failed);
