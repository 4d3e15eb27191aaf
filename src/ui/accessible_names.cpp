#include "ui/accessible_names.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QTextDocumentFragment>
#include <cstddef>

#include "ui/widget_names.h"

namespace {

// A control without a caption and the control whose caption names it.
struct NamedBy {
    const char* control;
    const char* caption;
};

constexpr NamedBy splitNames[] = {
    {widgetName::splitGrid, widgetName::splitTab},
    {widgetName::splitFilesOfSize, widgetName::splitIntoFilesOf},
    {widgetName::splitGroupSize, widgetName::splitEveryGroupOf},
    {widgetName::splitGroupStart, widgetName::splitGroupLabel},
    {widgetName::splitEachStep, widgetName::splitEach},
    {widgetName::splitEachStart, widgetName::splitEachLabel},
    {widgetName::splitRangeList, widgetName::splitByRange},
    {widgetName::splitBookmarkLevel, widgetName::splitByBookmarks},
    {widgetName::splitSizeLimit, widgetName::splitBySize},
    {widgetName::splitDestination.baseName, widgetName::splitDestination.baseNameLabel},
    {widgetName::splitDestination.folder, widgetName::splitDestination.folderLabel},
    {widgetName::splitProgress, widgetName::splitRunButton},
};

constexpr NamedBy mergeNames[] = {
    {widgetName::mergeGrid, widgetName::mergeTab},
    {widgetName::mergeOutput, widgetName::mergeOutputLabel},
    {widgetName::mergeProgress, widgetName::mergeRunButton},
};

constexpr NamedBy mixNames[] = {
    {widgetName::mixGrid, widgetName::mixTab},
    {widgetName::mixFirstMethod.groupCount, widgetName::mixFirstMethod.groupMethod},
    {widgetName::mixFirstMethod.groupStart, widgetName::mixFirstMethod.groupLabel},
    {widgetName::mixFirstMethod.eachCount, widgetName::mixFirstMethod.eachMethod},
    {widgetName::mixFirstMethod.eachStart, widgetName::mixFirstMethod.eachLabel},
    {widgetName::mixSecondMethod.groupCount, widgetName::mixSecondMethod.groupMethod},
    {widgetName::mixSecondMethod.groupStart, widgetName::mixSecondMethod.groupLabel},
    {widgetName::mixSecondMethod.eachCount, widgetName::mixSecondMethod.eachMethod},
    {widgetName::mixSecondMethod.eachStart, widgetName::mixSecondMethod.eachLabel},
    {widgetName::mixDestination.baseName, widgetName::mixDestination.baseNameLabel},
    {widgetName::mixDestination.folder, widgetName::mixDestination.folderLabel},
    {widgetName::mixProgress, widgetName::mixRunButton},
};

// The caption a control shows, as plain text without its shortcut marker.
QString captionOf(QWidget* widget) {
    QString text;
    auto* tabs = widget->parentWidget() ? qobject_cast<QTabWidget*>(widget->parentWidget()->parentWidget()) : nullptr;
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        text = button->text();
    else if (auto* label = qobject_cast<QLabel*>(widget))
        text = QTextDocumentFragment::fromHtml(label->text()).toPlainText();
    else if (auto* group = qobject_cast<QGroupBox*>(widget))
        text = group->title();
    else if (tabs != nullptr && tabs->indexOf(widget) >= 0)  // a tab's page
        text = tabs->tabText(tabs->indexOf(widget));
    return text.remove(QLatin1Char('&')).trimmed();
}

template <std::size_t Size>
void nameAll(QWidget& window, const NamedBy (&names)[Size]) {
    for (const NamedBy& named : names) {
        auto* control = window.findChild<QWidget*>(QString::fromLatin1(named.control));
        auto* caption = window.findChild<QWidget*>(QString::fromLatin1(named.caption));
        if (control != nullptr && caption != nullptr) control->setAccessibleName(captionOf(caption));
    }
}

}  // namespace

void nameCaptionlessControls(QWidget& window) {
    nameAll(window, splitNames);
    nameAll(window, mergeNames);
    nameAll(window, mixNames);
    // A panel's pictures of pages are named by the button that opens it.
    for (const char* pages : {widgetName::splitPages, widgetName::mergePages, widgetName::mixPages}) {
        auto* view = window.findChild<QWidget*>(QString::fromLatin1(pages) + QStringLiteral("_view"));
        auto* button = window.findChild<QWidget*>(QString::fromLatin1(pages));
        if (view != nullptr && button != nullptr) view->setAccessibleName(captionOf(button));
    }
}
