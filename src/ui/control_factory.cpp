#include "ui/control_factory.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTabBar>
#include <QTableWidget>
#include <QToolButton>

namespace controls {

namespace {

template <typename T>
T* placed(T* widget, const QString& name, int x, int y, int w, int h) {
    widget->setObjectName(name);
    widget->setGeometry(x, y, w, h);
    return widget;
}

}  // namespace

QIcon picture(const QString& iconName) {
    return QIcon(QStringLiteral(":/icons/%1.png").arg(iconName));
}

QLabel* label(QWidget* parent, const QString& name, const QString& text, int x, int y, int w, int h) {
    return placed(new QLabel(text, parent), name, x, y, w, h);
}

QRadioButton* radio(QWidget* parent, const QString& name, const QString& text, int x, int y, int w, int h) {
    return placed(new QRadioButton(text, parent), name, x, y, w, h);
}

QCheckBox* checkBox(QWidget* parent, const QString& name, const QString& text, int x, int y, int w, int h) {
    return placed(new QCheckBox(text, parent), name, x, y, w, h);
}

QLineEdit* textField(QWidget* parent, const QString& name, const QString& text, int x, int y, int w, int h) {
    auto* field = placed(new QLineEdit(text, parent), name, x, y, w, h);
    // Files dropped on a field go to the window's drop handler, not into the text.
    field->setAcceptDrops(false);
    return field;
}

QLineEdit* numberField(QWidget* parent, const QString& name, const QString& text, int x, int y, int w, int h) {
    auto* field = textField(parent, name, text, x, y, w, h);
    static const QRegularExpression digits(QStringLiteral("[0-9]*"));
    field->setValidator(new QRegularExpressionValidator(digits, field));
    return field;
}

QLineEdit* readOnlyField(QWidget* parent, const QString& name, int x, int y, int w, int h) {
    auto* field = textField(parent, name, QString(), x, y, w, h);
    field->setReadOnly(true);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    field->setPalette(palette);
    return field;
}

QGroupBox* group(QWidget* parent, const QString& name, const QString& title, int x, int y, int w, int h) {
    return placed(new QGroupBox(title, parent), name, x, y, w, h);
}

QPushButton* button(QWidget* parent, const QString& name, const QString& text, int x, int y, int w, int h) {
    return placed(new QPushButton(text, parent), name, x, y, w, h);
}

QToolButton* iconButton(QWidget* parent, const QString& name, const QString& iconName, const QString& toolTip, int x,
                        int y, int w, int h) {
    auto* button = placed(new QToolButton(parent), name, x, y, w, h);
    button->setIcon(picture(iconName));
    button->setIconSize(QSize(w - 14, h - 12));
    button->setToolTip(toolTip);
    return button;
}

QProgressBar* progressBar(QWidget* parent, const QString& name, int x, int y, int w, int h) {
    auto* bar = placed(new QProgressBar(parent), name, x, y, w, h);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setVisible(false);
    return bar;
}

QTableWidget* fileGrid(QWidget* parent, const QString& name, int x, int y, int h, int dataRows) {
    auto* grid = placed(new QTableWidget(dataRows, 5, parent), name, x, y, 969, h);
    const int widths[] = {51, 399, 332, 73, 78};
    for (int column = 0; column < 5; ++column) grid->setColumnWidth(column, widths[column]);
    grid->setHorizontalHeaderLabels({QStringLiteral("#"), QString(), QString(), QString(), QString()});
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid->horizontalHeader()->setFixedHeight(24);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->verticalHeader()->setVisible(false);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(24);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setWordWrap(false);
    return grid;
}

}  // namespace controls

namespace {

class FixedSizeTabBar : public QTabBar {
public:
    using QTabBar::QTabBar;

protected:
    QSize tabSizeHint(int) const override { return QSize(100, 40); }
};

}  // namespace

TabSet::TabSet(QWidget* parent) : QTabWidget(parent) {
    setTabBar(new FixedSizeTabBar(this));
}
