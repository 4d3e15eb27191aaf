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
class QTableWidget;
class QToolButton;
class QWidget;

// Builders for the window's controls at fixed pixel positions. Every control
// gets its designer name as objectName, so translations find it by name.
namespace controls {

QLabel* label(QWidget* parent, const QString& name, const QString& text, int x, int y, int w, int h = 24);
QRadioButton* radio(QWidget* parent, const QString& name, const QString& text, int x, int y, int w, int h = 24);
QCheckBox* checkBox(QWidget* parent, const QString& name, const QString& text, int x, int y, int w, int h = 24);
QLineEdit* textField(QWidget* parent, const QString& name, const QString& text, int x, int y, int w, int h = 24);
// Accepts digits only, also when text is pasted.
QLineEdit* numberField(QWidget* parent, const QString& name, const QString& text, int x, int y, int w = 48, int h = 24);
// Read-only, shown in the menu colour.
QLineEdit* readOnlyField(QWidget* parent, const QString& name, int x, int y, int w, int h = 24);
QGroupBox* group(QWidget* parent, const QString& name, const QString& title, int x, int y, int w, int h);
QPushButton* button(QWidget* parent, const QString& name, const QString& text, int x, int y, int w, int h);
QToolButton* iconButton(QWidget* parent, const QString& name, const QString& iconName, const QString& toolTip, int x,
                        int y, int w = 40, int h = 36);
// A hidden progress bar with the range 0 to 100.
QProgressBar* progressBar(QWidget* parent, const QString& name, int x, int y, int w, int h = 22);
// A file grid: five columns 51, 399, 332, 73, 78 wide, rows 24 high, header "#"
// over the row numbers; `dataRows` rows below the header.
QTableWidget* fileGrid(QWidget* parent, const QString& name, int x, int y, int h, int dataRows);

// One of our pictures from the resources (ui_icons.h): ":/icons/<name>.png".
QIcon picture(const QString& iconName);

}  // namespace controls

// A tab set whose tabs are all 100 by 40 pixels.
class TabSet : public QTabWidget {
public:
    explicit TabSet(QWidget* parent);
};
