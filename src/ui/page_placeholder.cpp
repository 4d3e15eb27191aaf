#include "ui/page_placeholder.h"

#include <QPainter>

#include "ui/message_text.h"
#include "ui/page_picture_cache.h"

QPixmap pagePlaceholder(QSize box, bool failed) {
    // A sheet of A4 proportions within the box.
    const int height = std::min(box.height(), box.width() * 297 / 210);
    const int width = std::max(1, height * 210 / 297);
    QPixmap sheet(width, std::max(1, height));
    sheet.fill(failed ? QColor(0xF6, 0xE3, 0xE3) : QColor(0xF4, 0xF4, 0xF4));
    QPainter painter(&sheet);
    painter.setPen(QColor(0xB0, 0xB0, 0xB0));
    painter.drawRect(0, 0, sheet.width() - 1, sheet.height() - 1);
    if (failed) {
        painter.setPen(QPen(QColor(0xC0, 0x40, 0x40), 1.5));
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF inner = QRectF(sheet.rect()).adjusted(3, 3, -3, -3);
        painter.drawLine(inner.topLeft(), inner.bottomRight());
        painter.drawLine(inner.topRight(), inner.bottomLeft());
    }
    return sheet;
}

QString whyNotDrawn(const PageImage& image, const std::function<std::string(const std::string& key)>& translate) {
    QString text = QString::fromStdString(
        textOf(image.tooSlow ? messageText::pageTooSlow : messageText::pageNotDrawn, translate));
    if (!image.error.isEmpty()) text += QLatin1Char('\n') + image.error;
    return text;
}
