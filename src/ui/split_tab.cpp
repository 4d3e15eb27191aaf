#include "ui/split_tab.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <algorithm>
#include <cmath>

#include "ui/control_factory.h"
#include "ui/destination_group.h"
#include "ui/field_bytes.h"
#include "ui/file_grid.h"
#include "ui/widget_names.h"

using namespace controls;

namespace {

// The size field's megabytes as the request's size: whole megabytes as "10M",
// a part of one in kilobytes ("0.5" is "512K"); what is no number stays as
// typed, for the request to refuse.
std::string sizeLimitText(const QString& typed) {
    bool read = false;
    QString text = typed.trimmed();
    double megabytes = QLocale().toDouble(text, &read);
    if (!read) megabytes = QLocale::c().toDouble(text.replace(QLatin1Char(','), QLatin1Char('.')), &read);
    if (!read || !(megabytes > 0) || megabytes > 2000000) return typed.toStdString() + "M";
    if (megabytes == std::floor(megabytes)) return std::to_string(static_cast<long long>(megabytes)) + "M";
    return std::to_string(std::max(1LL, std::llround(megabytes * 1024))) + "K";
}

// The other way: the request's size as the field shows it, in megabytes.
QString megabytesText(const SplitRequest& request) {
    return QString::number(static_cast<double>(request.sizeLimitBytes()) / (1 << 20));
}

}  // namespace

SplitTab::SplitTab(Dialogs& dialogs, QWidget* parent) : JobTab(parent) {
    setObjectName(QString::fromLatin1(widgetName::splitTab));
    grid_ = new FileGrid(widgetName::splitGrid, this);
    grid_->setFixedHeight(80);
    addButton_ = iconButton(this, widgetName::splitAddButton, QStringLiteral("add"));
    removeButton_ =
        iconButton(this, widgetName::splitRemoveButton, QStringLiteral("remove"));
    buildMethodGroup();
    destination_ = new DestinationGroup(widgetName::splitDestination, SplitRequest().baseName, dialogs, this);
    runButton_ = controls::runButton(this, widgetName::splitRunButton);
    progressBar_ = controls::progressBar(this, widgetName::splitProgress);

    auto* options = new QHBoxLayout;
    options->setSpacing(12);
    options->addWidget(methodGroup_, 496);
    options->addWidget(destination_, 461);
    arrange({addButton_, removeButton_}, options, 0);

    for (auto [field, method] : {std::pair{filesOfSize_, intoFilesOf_}, std::pair{rangeList_, byRange_},
                                 std::pair{groupSize_, everyGroupOf_}, std::pair{groupStart_, everyGroupOf_},
                                 std::pair{eachStep_, each_}, std::pair{eachStart_, each_},
                                 std::pair{bookmarkLevel_, byBookmarks_}, std::pair{sizeLimit_, bySize_}})
        connect(field, &QLineEdit::textChanged, this, [this, field = field, method = method] {
            selectWhenFilled(field, method);
        });
}

void SplitTab::buildMethodGroup() {
    methodGroup_ = group(this, widgetName::splitMethodGroup);
    methodGroup_->setMinimumHeight(264);
    QWidget* method = methodGroup_;
    const SplitRequest defaults;
    const auto text = [](const std::string& bytes) { return QString::fromStdString(bytes); };
    intoFilesOf_ = radio(method, widgetName::splitIntoFilesOf);
    filesOfSize_ = numberField(method, widgetName::splitFilesOfSize, text(defaults.filesOfSize));
    pagesLabel_ = label(method, widgetName::splitPagesLabel);

    everyGroupOf_ = radio(method, widgetName::splitEveryGroupOf);
    groupSize_ = numberField(method, widgetName::splitGroupSize, text(defaults.everyGroupSize));
    groupLabel_ = label(method, widgetName::splitGroupLabel);
    groupStart_ = numberField(method, widgetName::splitGroupStart, text(defaults.everyGroupStart));

    each_ = radio(method, widgetName::splitEach);
    eachStep_ = numberField(method, widgetName::splitEachStep, text(defaults.eachStep));
    eachLabel_ = label(method, widgetName::splitEachLabel);
    eachStart_ = numberField(method, widgetName::splitEachStart, text(defaults.eachStart));

    byRange_ = radio(method, widgetName::splitByRange);
    rangeList_ = textField(method, widgetName::splitRangeList, text(defaults.rangeList));

    rangeHelp_ = label(method, widgetName::splitRangeHelp);
    rangeHelp_->setWordWrap(true);
    rangeHelp_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    byBookmarks_ = radio(method, widgetName::splitByBookmarks);
    bookmarkLevel_ = numberField(method, widgetName::splitBookmarkLevel, text(defaults.bookmarkLevel));
    titleNames_ = checkBox(method, widgetName::splitTitleNames);
    titleNames_->setChecked(defaults.titleNames);
    connect(titleNames_, &QCheckBox::toggled, this, [this](bool on) {
        if (on) byBookmarks_->setChecked(true);
    });

    bySize_ = radio(method, widgetName::splitBySize);
    sizeLimit_ = numberField(method, widgetName::splitSizeLimit, megabytesText(defaults));
    static const QRegularExpression decimal(QStringLiteral("[0-9]*([.,][0-9]*)?"));
    sizeLimit_->setValidator(new QRegularExpressionValidator(decimal, sizeLimit_));
    sizeLabel_ = label(method, widgetName::splitSizeLabel);
    methodButton(defaults.method)->setChecked(true);

    // Each row: method, count, label, start page.
    auto* rows = new QGridLayout(method);
    rows->setContentsMargins(14, 12, 14, 12);
    rows->setHorizontalSpacing(6);
    rows->setVerticalSpacing(4);
    rows->addWidget(intoFilesOf_, 0, 0);
    rows->addWidget(filesOfSize_, 0, 1);
    rows->addWidget(pagesLabel_, 0, 2, 1, 2);
    rows->addWidget(everyGroupOf_, 1, 0);
    rows->addWidget(groupSize_, 1, 1);
    rows->addWidget(groupLabel_, 1, 2);
    rows->addWidget(groupStart_, 1, 3);
    rows->addWidget(each_, 2, 0);
    rows->addWidget(eachStep_, 2, 1);
    rows->addWidget(eachLabel_, 2, 2);
    rows->addWidget(eachStart_, 2, 3);
    rows->addWidget(byRange_, 3, 0);
    rows->addWidget(rangeList_, 3, 1, 1, 3);
    rows->addWidget(rangeHelp_, 4, 0, 1, 4);
    rows->addWidget(byBookmarks_, 5, 0);
    rows->addWidget(bookmarkLevel_, 5, 1);
    rows->addWidget(titleNames_, 5, 2, 1, 2);
    rows->addWidget(bySize_, 6, 0);
    rows->addWidget(sizeLimit_, 6, 1);
    rows->addWidget(sizeLabel_, 6, 2, 1, 2);
    rows->setColumnStretch(2, 1);
    rows->setRowStretch(7, 1);
}

QRadioButton* SplitTab::methodButton(SplitMethod method) const {
    switch (method) {
    case SplitMethod::IntoFilesOf: return intoFilesOf_;
    case SplitMethod::EveryGroupOf: return everyGroupOf_;
    case SplitMethod::Each: return each_;
    case SplitMethod::ByPageRange: return byRange_;
    case SplitMethod::ByBookmarks: return byBookmarks_;
    case SplitMethod::BySize: return bySize_;
    }
    return intoFilesOf_;
}

void SplitTab::selectWhenFilled(QLineEdit* field, QRadioButton* method) {
    if (!field->text().isEmpty()) method->setChecked(true);
}

QLineEdit* SplitTab::fieldOf(RequestField field) const {
    switch (field) {
    case RequestField::FilesOfSize: return filesOfSize_;
    case RequestField::EveryGroupSize: return groupSize_;
    case RequestField::EveryGroupStart: return groupStart_;
    case RequestField::EachStep: return eachStep_;
    case RequestField::EachStart: return eachStart_;
    case RequestField::BookmarkLevel: return bookmarkLevel_;
    case RequestField::SizeLimit: return sizeLimit_;
    default: return nullptr;
    }
}

SplitRequest SplitTab::request() const {
    auto text = [](const QLineEdit* field) { return fieldBytes(field); };
    SplitRequest request;
    using M = SplitMethod;
    for (const M method : {M::IntoFilesOf, M::EveryGroupOf, M::Each, M::ByPageRange, M::ByBookmarks, M::BySize})
        if (methodButton(method)->isChecked()) request.method = method;
    request.filesOfSize = text(filesOfSize_);
    request.everyGroupSize = text(groupSize_);
    request.everyGroupStart = text(groupStart_);
    request.eachStep = text(eachStep_);
    request.eachStart = text(eachStart_);
    request.rangeList = text(rangeList_);
    request.bookmarkLevel = text(bookmarkLevel_);
    request.titleNames = titleNames_->isChecked();
    request.sizeLimit = sizeLimitText(sizeLimit_->text());
    request.baseName = destination_->baseName();
    request.destinationFolder = destination_->folder();
    return request;
}
