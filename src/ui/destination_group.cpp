#include "ui/destination_group.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>

#include "ui/control_factory.h"
#include "ui/dialogs.h"

using namespace controls;

namespace {

bool isExistingFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(std::filesystem::u8path(path), error);
}

}  // namespace

DestinationGroup::DestinationGroup(const DestinationNames& names, Dialogs& dialogs, QWidget* parent,
                                   const QRect& place)
    : QGroupBox(QStringLiteral("Destination folder and filename settings"), parent), dialogs_(dialogs) {
    setObjectName(QString::fromLatin1(names.group));
    setGeometry(place);
    const int right = place.width() - 14;
    baseNameLabel_ = label(this, names.baseNameLabel, "Base Filename", 14, 30, 142);
    baseName_ = textField(this, names.baseName, "filename", 160, 30, right - 160);
    folderLabel_ = label(this, names.folderLabel, "Destination folder", 14, 66, 142);
    sourceFolder_ = radio(this, names.sourceFolder, "Use source folder", 160, 66, right - 160);
    sourceFolder_->setChecked(true);
    otherFolder_ = radio(this, names.otherFolder, "Select new folder", 160, 96, right - 160);
    folder_ = readOnlyField(this, names.folder, 14, 138, right - 98 - 14);
    browseButton_ = button(this, names.browse, "Browse", right - 92, 136, 92, 28);
    connect(browseButton_, &QPushButton::clicked, this, &DestinationGroup::chooseFolder);
}

std::string DestinationGroup::baseName() const { return baseName_->text().toStdString(); }

void DestinationGroup::setBaseName(const std::string& name) { baseName_->setText(QString::fromStdString(name)); }

std::string DestinationGroup::folder() const { return folder_->text().toStdString(); }

void DestinationGroup::setFolder(const std::string& folder) { folder_->setText(QString::fromStdString(folder)); }

bool DestinationGroup::usesSourceFolder() const { return sourceFolder_->isChecked(); }

void DestinationGroup::chooseFolder() {
    std::string start = folder();
    if (start.empty()) start = QDir::currentPath().toStdString();
    if (!isExistingFolder(start)) start.clear();
    std::string chosen = dialogs_.chooseFolder(start);
    if (chosen.empty()) return;
    const char separator = QDir::separator().toLatin1();
    // A root folder already ends with its separator.
    if (chosen.back() != separator && chosen.back() != '/') chosen += separator;
    setFolder(chosen);
    otherFolder_->setChecked(true);
}
