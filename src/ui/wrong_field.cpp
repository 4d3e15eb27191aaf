#include "ui/wrong_field.h"

#include <QLineEdit>
#include <QVariant>

namespace {

const char* const wrongProperty = "wrongEntry";

}  // namespace

void markWrongField(QLineEdit* field) {
    if (!isMarkedWrong(field)) {
        field->setProperty(wrongProperty, true);
        field->setStyleSheet(QStringLiteral("QLineEdit { border: 2px solid #c00000; border-radius: 2px; }"));
        QObject::connect(
            field, &QLineEdit::textEdited, field,
            [field] {
                field->setProperty(wrongProperty, false);
                field->setStyleSheet(QString());
            },
            Qt::SingleShotConnection);
    }
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
}

bool isMarkedWrong(const QLineEdit* field) { return field->property(wrongProperty).toBool(); }
