#pragma once
#include <QGroupBox>
#include <string>

#include "ui/widget_names.h"

class Dialogs;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The Split and Mix tabs' group of where outputs go: a base file name, and
// the source folder or a folder the user chose with Browse.
class DestinationGroup : public QGroupBox {
    Q_OBJECT
public:
    DestinationGroup(const DestinationNames& names, const std::string& baseName, Dialogs& dialogs, QWidget* parent);

    // A control placed under the others and those added before it (the Mix
    // tab's choice of one output file, its bookmarks choice).
    void addRow(QWidget* control);

    std::string baseName() const;
    void setBaseName(const std::string& name);
    // The folder with its trailing separator; "" until a file or Browse sets it.
    std::string folder() const;
    void setFolder(const std::string& folder);
    // "Use source folder" is selected: adding a file sets the folder.
    bool usesSourceFolder() const;

private:
    // Shows the folder dialog from the current folder (or the process's) and
    // selects "Select new folder" when one is chosen.
    void chooseFolder();

    Dialogs& dialogs_;
    QGridLayout* layout_;
    int nextRow_ = 4;  // the row addRow fills next
    QLabel* baseNameLabel_;
    QLineEdit* baseName_;
    QLabel* folderLabel_;
    QRadioButton* sourceFolder_;
    QRadioButton* otherFolder_;
    QLineEdit* folder_;
    QPushButton* browseButton_;
};
