#include "ui/control_factory.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTabBar>
#include <QToolButton>

#include "ui/built_in_english.h"

namespace controls {

namespace {

template <typename T>
T* named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace

QIcon picture(const QString& iconName) {
    return QIcon(QStringLiteral(":/icons/%1.png").arg(iconName));
}

QLabel* label(QWidget* parent, const char* name) { return label(parent, name, builtInEnglish(name)); }

QLabel* label(QWidget* parent, const char* name, const QString& text) {
    return named(new QLabel(text, parent), name);
}

QRadioButton* radio(QWidget* parent, const char* name) {
    return named(new QRadioButton(builtInEnglish(name), parent), name);
}

QCheckBox* checkBox(QWidget* parent, const char* name) {
    return named(new QCheckBox(builtInEnglish(name), parent), name);
}

QLineEdit* textField(QWidget* parent, const char* name, const QString& text) {
    auto* field = named(new QLineEdit(text, parent), name);
    field->setMinimumHeight(24);
    // Files dropped on a field go to the window's drop handler, not into the text.
    field->setAcceptDrops(false);
    return field;
}

QLineEdit* numberField(QWidget* parent, const char* name, const QString& text) {
    auto* field = textField(parent, name, text);
    field->setFixedWidth(40);
    static const QRegularExpression digits(QStringLiteral("[0-9]*"));
    field->setValidator(new QRegularExpressionValidator(digits, field));
    return field;
}

QLineEdit* readOnlyField(QWidget* parent, const char* name) {
    auto* field = textField(parent, name, QString());
    field->setReadOnly(true);
    field->setLayoutDirection(Qt::LeftToRight);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    field->setPalette(palette);
    return field;
}

QGroupBox* group(QWidget* parent, const char* name) {
    return named(new QGroupBox(builtInEnglish(name), parent), name);
}

QPushButton* button(QWidget* parent, const char* name) {
    auto* pushButton = named(new QPushButton(builtInEnglish(name), parent), name);
    pushButton->setMinimumSize(92, 28);
    pushButton->setAutoDefault(true);  // Enter presses the button that has the focus
    return pushButton;
}

QPushButton* runButton(QWidget* parent, const char* name) {
    auto* pushButton = named(new QPushButton(builtInEnglish(name), parent), name);
    pushButton->setMinimumSize(158, 36);
    pushButton->setAutoDefault(true);
    return pushButton;
}

QToolButton* iconButton(QWidget* parent, const char* name, const QString& iconName) {
    auto* button = named(new QToolButton(parent), name);
    button->setFixedSize(40, 36);
    button->setIcon(picture(iconName));
    button->setIconSize(QSize(26, 24));
    button->setToolTip(builtInEnglish(name));
    return button;
}

QProgressBar* progressBar(QWidget* parent, const char* name) {
    auto* bar = named(new QProgressBar(parent), name);
    bar->setFixedHeight(22);
    bar->setRange(0, 100);
    bar->setValue(0);
    bar->setVisible(false);
    return bar;
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
