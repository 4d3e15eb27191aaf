#include "ui/destination_group.h"

#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>

#include "ui/built_in_english.h"
#include "ui/control_factory.h"
#include "ui/dialogs.h"
#include "ui/field_bytes.h"

using namespace controls;

namespace {

bool isExistingFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(std::filesystem::u8path(path), error);
}

}  // namespace

DestinationGroup::DestinationGroup(const DestinationNames& names, const std::string& baseName, Dialogs& dialogs,
                                   QWidget* parent)
    : QGroupBox(builtInEnglish(names.group), parent), dialogs_(dialogs) {
    setObjectName(QString::fromLatin1(names.group));
    baseNameLabel_ = label(this, names.baseNameLabel);
    baseName_ = textField(this, names.baseName, QString());
    setBaseName(baseName);
    folderLabel_ = label(this, names.folderLabel);
    sourceFolder_ = radio(this, names.sourceFolder);
    sourceFolder_->setChecked(true);
    otherFolder_ = radio(this, names.otherFolder);
    folder_ = readOnlyField(this, names.folder);
    browseButton_ = button(this, names.browse);
    connect(browseButton_, &QPushButton::clicked, this, &DestinationGroup::chooseFolder);

    layout_ = new QGridLayout(this);
    layout_->setContentsMargins(14, 12, 14, 12);
    layout_->setHorizontalSpacing(6);
    layout_->setVerticalSpacing(8);
    layout_->addWidget(baseNameLabel_, 0, 0);
    layout_->addWidget(baseName_, 0, 1, 1, 2);
    layout_->addWidget(folderLabel_, 1, 0);
    layout_->addWidget(sourceFolder_, 1, 1, 1, 2);
    layout_->addWidget(otherFolder_, 2, 1, 1, 2);
    layout_->addWidget(folder_, 3, 0, 1, 2);
    layout_->addWidget(browseButton_, 3, 2);
    layout_->setColumnStretch(1, 1);
    layout_->setRowStretch(nextRow_, 1);
}

void DestinationGroup::addRow(QWidget* control) {
    layout_->setRowStretch(nextRow_, 0);
    layout_->addWidget(control, nextRow_++, 0, 1, 3);
    layout_->setRowStretch(nextRow_, 1);
}

// Names and folders are bytes: field_bytes.h.
std::string DestinationGroup::baseName() const { return fieldBytes(baseName_); }

void DestinationGroup::setBaseName(const std::string& name) { setFieldBytes(baseName_, name); }

std::string DestinationGroup::folder() const { return fieldBytes(folder_); }

void DestinationGroup::setFolder(const std::string& folder) { setFieldBytes(folder_, folder); }

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
