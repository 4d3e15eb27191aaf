#include "ui/field_bytes.h"

#include <QLineEdit>
#include <QVariant>

namespace {

constexpr const char* BytesProperty = "splimeraBytes";

}  // namespace

void setFieldBytes(QLineEdit* field, const std::string& bytes) {
    const QByteArray given = QByteArray::fromStdString(bytes);
    field->setText(QString::fromUtf8(given));
    field->setProperty(BytesProperty, given);
}

std::string fieldBytes(const QLineEdit* field) {
    const QByteArray given = field->property(BytesProperty).toByteArray();
    if (!given.isEmpty() && QString::fromUtf8(given) == field->text()) return given.toStdString();
    return field->text().toStdString();
}
