#pragma once
#include <QPixmap>
#include <QSize>
#include <QString>
#include <functional>
#include <string>

struct PageImage;

// What stands in a page's place until its picture is there: a blank sheet
// while it is being drawn, a crossed-out one when it could not be drawn.
QPixmap pagePlaceholder(QSize box, bool failed);

// Why a page that was not drawn shows its placeholder, in the user's language,
// with the engine's reason when it gave one.
QString whyNotDrawn(const PageImage& image, const std::function<std::string(const std::string& key)>& translate);
