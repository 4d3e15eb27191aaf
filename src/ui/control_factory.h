#pragma once
#include <QString>
#include <QTabWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QToolButton;
class QWidget;

// Builders for the window's controls, which layouts then place. Every control
// gets its designer name as objectName, so translations find it by name, and
// the caption of that name in the built-in English (built_in_english.h).
namespace controls {

QLabel* label(QWidget* parent, const char* name);
// A label showing what the program writes into it: a title, a link, a count.
QLabel* label(QWidget* parent, const char* name, const QString& text);
QRadioButton* radio(QWidget* parent, const char* name);
QCheckBox* checkBox(QWidget* parent, const char* name);
QLineEdit* textField(QWidget* parent, const char* name, const QString& text);
// A short field that accepts digits only, also when text is pasted.
QLineEdit* numberField(QWidget* parent, const char* name, const QString& text);
// Read-only, shown in the menu colour, for a path: it reads left to right
// also in a right-to-left window.
QLineEdit* readOnlyField(QWidget* parent, const char* name);
QGroupBox* group(QWidget* parent, const char* name);
QPushButton* button(QWidget* parent, const char* name);
// A job's run button, 158 by 36 pixels at least.
QPushButton* runButton(QWidget* parent, const char* name);
// An icon button, 40 by 36 pixels, whose caption is its tool tip.
QToolButton* iconButton(QWidget* parent, const char* name, const QString& iconName);
// A hidden progress bar with the range 0 to 100.
QProgressBar* progressBar(QWidget* parent, const char* name);

// One of our pictures from the resources (ui_icons.h): ":/icons/<name>.png".
QIcon picture(const QString& iconName);

}  // namespace controls

// A tab set whose tabs are all 100 by 40 pixels.
class TabSet : public QTabWidget {
public:
    explicit TabSet(QWidget* parent);
};
