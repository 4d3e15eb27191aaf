#include "settings/widget_caption.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>

namespace {

// The tab widget whose page the widget is, or null.
QTabWidget* tabWidgetOfPage(QWidget* widget) {
    auto* stack = qobject_cast<QStackedWidget*>(widget->parentWidget());
    if (stack == nullptr) return nullptr;
    auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget());
    return tabs != nullptr && tabs->indexOf(widget) >= 0 ? tabs : nullptr;
}

bool holdsLink(const QString& text) { return text.contains(QLatin1String("<a "), Qt::CaseInsensitive); }

}  // namespace

bool setCaption(QObject* component, const QString& caption) {
    if (auto* action = qobject_cast<QAction*>(component)) {
        action->setText(caption);
        return true;
    }
    auto* widget = qobject_cast<QWidget*>(component);
    if (widget == nullptr) return false;
    if (QTabWidget* tabs = tabWidgetOfPage(widget)) {
        tabs->setTabText(tabs->indexOf(widget), caption);
        return true;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(caption);
        // A button showing only its picture says its caption in its tip.
        auto* toolButton = qobject_cast<QToolButton*>(widget);
        if (toolButton != nullptr && toolButton->toolButtonStyle() == Qt::ToolButtonIconOnly)
            toolButton->setToolTip(caption);
        return true;
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        if (holdsLink(caption)) label->setTextFormat(Qt::RichText);
        label->setText(caption);
        return true;
    }
    if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        group->setTitle(caption);
        return true;
    }
    if (widget->isWindow()) {
        widget->setWindowTitle(caption);
        return true;
    }
    return false;
}
