#include "base/platform_library.h"  // programFolder(): testFile.pdf and the languages lie there
#include "ui/main_window.h"

#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFont>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QUrl>
#include <algorithm>
#include <cctype>
#include <exception>

#include "base/application.h"
#include "jobs/input_file.h"
#include "settings/language_folder.h"
#include "settings/settings.h"
#include "settings/translations.h"
#include "ui/about_tab.h"
#include "ui/built_in_english.h"
#include "ui/accessible_names.h"
#include "ui/application_error.h"
#include "ui/control_factory.h"
#include "ui/destination_group.h"
#include "ui/dialogs.h"
#include "ui/file_filter.h"
#include "ui/file_grid.h"
#include "ui/job_runner.h"
#include "ui/language_look.h"
#include "ui/message_text.h"
#include "ui/opening_thread.h"
#include "ui/qt_translation.h"
#include "ui/merge_selections.h"
#include "ui/merge_tab.h"
#include "ui/mix_tab.h"
#include "ui/page_preview.h"
#include "ui/page_strip.h"
#include "ui/protection_dialog.h"
#include "ui/split_tab.h"
#include "ui/tab_list_controls.h"
#include "ui/ui_icons.h"
#include "ui/widget_names.h"

namespace {

// Where the window's size and place are kept between runs, as Qt's own
// description of them in base64.
const char* const windowGeometryName = "windowGeometry";

bool hasPdfExtension(const std::string& path) {
    std::string tail = path.size() > 4 ? path.substr(path.size() - 4) : path;
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return tail == ".pdf";
}

}  // namespace

ListKind listOf(WindowTab tab) {
    switch (tab) {
    case WindowTab::Merge: return ListKind::Merge;
    case WindowTab::Mix: return ListKind::Mix;
    default: return ListKind::Split;
    }
}

MainWindow::MainWindow(Dialogs& dialogs, QWidget* parent, std::string languagesFolder, InputProbe::Open open)
    : QMainWindow(parent),
      dialogs_(dialogs),
      languagesFolder_(languagesFolder.empty() ? programFolder() + "languages/" : std::move(languagesFolder)),
      probe_(dialogs, [this](const std::string& key) { return translation(key); }, openWhileProbing(std::move(open))) {
    if (languagesFolder_.back() != '/') languagesFolder_ += '/';
    setObjectName(QString::fromLatin1(widgetName::window));
    initUiResources();
    buildControls();
    listControls_ = std::make_unique<TabListControls>(*splitTab_, *mergeTab_, *mixTab_);
    lists_ = std::make_unique<FileLists>(
        probe_, dialogs_, [this](const std::string& key) { return translation(key); }, *listControls_);
    for (ListKind kind : {ListKind::Split, ListKind::Merge, ListKind::Mix})
        listControls_->tab(kind).fileGrid()->showList(&lists_->model(kind));
    runner_ = std::make_unique<JobRunner>(dialogs_, [this](const std::string& key) { return translation(key); });
    connect(runner_.get(), &JobRunner::finished, this, &MainWindow::jobEnded);
    connectControls();
    preview_ = new PagePreview(
        *lists_, *listControls_, [this](const std::string& key) { return translation(key); }, this);
    for (ListKind kind : {ListKind::Split, ListKind::Merge, ListKind::Mix}) listChanged(kind);

    protection_ = Settings().protection();
    showLocked(!protection_.outputPassword.empty());
    initTranslations();
    setAcceptDrops(true);
}

MainWindow::~MainWindow() {
    // A running job is stopped while the translations and controls it reports to still exist.
    runner_.reset();
}

void MainWindow::buildControls() {
    setFont(windowFont(QString()));
    setWindowIcon(applicationIcon());

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    setCentralWidget(client);

    tabs_ = new TabSet(client);
    tabs_->setObjectName(QString::fromLatin1(widgetName::tabs));
    splitTab_ = new SplitTab(dialogs_, tabs_);
    mergeTab_ = new MergeTab(dialogs_, tabs_);
    mixTab_ = new MixTab(dialogs_, tabs_);
    aboutTab_ = new AboutTab(tabs_);
    for (QWidget* tab : std::initializer_list<QWidget*>{splitTab_, mergeTab_, mixTab_, aboutTab_})
        tabs_->addTab(tab, builtInEnglish(tab->objectName().toLatin1().constData()));
    auto* whole = new QVBoxLayout(client);
    whole->setContentsMargins(17, 24, 18, 17);
    whole->addWidget(tabs_);

    // Both sit on the row of the tabs, at its right end.
    auto* corner = new QWidget(tabs_);
    languageSelector_ = new QComboBox(corner);
    languageSelector_->setObjectName(QString::fromLatin1(widgetName::languageSelector));
    languageSelector_->setEditable(false);
    languageSelector_->setFixedWidth(152);
    settingsButton_ = controls::iconButton(corner, widgetName::settingsButton, QStringLiteral("unlocked"));
    settingsButton_->setFixedSize(32, 32);
    settingsButton_->setIconSize(QSize(24, 24));
    auto* cornerRow = new QHBoxLayout(corner);
    cornerRow->setContentsMargins(0, 0, 0, 4);
    cornerRow->setSpacing(8);
    cornerRow->addWidget(languageSelector_);
    cornerRow->addWidget(settingsButton_);
    tabs_->setCornerWidget(corner, Qt::TopRightCorner);
    // Tab goes along the tab row before it goes into the tab showing.
    setTabOrder(tabs_->tabBar(), languageSelector_);
    setTabOrder(languageSelector_, settingsButton_);

    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName(QString::fromLatin1(widgetName::statusBar));
    statusBar_->setFixedHeight(37);
    statusText_ = new QLabel(statusBar_);
    statusText_->setObjectName(QString::fromLatin1(widgetName::statusText));
    statusBar_->addWidget(statusText_, 1);
    setStatusBar(statusBar_);
    resize(1100, 575);
}

void MainWindow::connectControls() {
    connectJobTab(ListKind::Split);
    connectJobTab(ListKind::Merge);
    connectJobTab(ListKind::Mix);
    connect(mergeTab_->upButton(), &QToolButton::clicked, this, [this] { guarded([this] { moveMergeFiles(-1); }); });
    connect(mergeTab_->downButton(), &QToolButton::clicked, this, [this] { guarded([this] { moveMergeFiles(1); }); });
    for (WindowTab tab : {WindowTab::Split, WindowTab::Merge, WindowTab::Mix})
        connect(&listControls_->tab(listOf(tab)), &JobTab::runRequested, this,
                [this, tab] { guarded([this, tab] { runOrStop(tab); }); });
    connect(mergeTab_->fileGrid(), &FileGrid::rowDragged, this, [this](int from, int to) {
        guarded([this, from, to] {
            lists_->moveFile(ListKind::Merge, from, to);
            listChanged(ListKind::Merge);
        });
    });
    connect(mergeTab_->fileGrid(), &FileGrid::moveKeyPressed, this,
            [this](int step) { guarded([this, step] { moveMergeFiles(step); }); });
    connect(mergeTab_->fileGrid(), &FileGrid::cellEdited, this, [this] { guarded([this] { listChanged(ListKind::Merge); }); });
    connect(mergeTab_->padOddBox(), &QCheckBox::toggled, this, [this] { listChanged(ListKind::Merge); });
    connect(mixTab_->singleFileBox(), &QCheckBox::toggled, this, &MainWindow::showMixPagesTitle);
    connect(settingsButton_, &QToolButton::clicked, this, [this] { guarded([this] { protectionDialog().exec(); }); });
    connect(languageSelector_, &QComboBox::activated, this, [this] { guarded([this] { changeLanguage(); }); });
}

// The add and remove buttons and the row selection of a job tab's list.
void MainWindow::connectJobTab(ListKind kind) {
    const JobTab& tab = listControls_->tab(kind);
    connect(tab.addButton(), &QToolButton::clicked, this, [this, kind] { guarded([this, kind] { addChosenFiles(kind); }); });
    const auto remove = [this, kind] {
        guarded([this, kind] {
            if (kind == ListKind::Merge) removeSelectedMergeFiles();
            else lists_->removeSelectedFile(kind);
            listChanged(kind);
        });
    };
    connect(tab.removeButton(), &QToolButton::clicked, this, remove);
    connect(tab.fileGrid(), &FileGrid::deletePressed, this, remove);
    connect(tab.fileGrid(), &FileGrid::currentCellChanged, this, [this, kind](int row) {
        if (row >= 0) guarded([this, kind, row] { lists_->selectRow(kind, row); });
    });
}

template <typename Operation>
void MainWindow::guarded(Operation operation) {
    try {
        operation();
    } catch (const std::exception& error) {
        dialogs_.showMessage(applicationErrorText(error.what()), MessageKind::Error);
    }
}

// ---------------------------------------------------------------- show and close

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous()) return;
    if (!shownBefore_) {
        shownBefore_ = true;
        if (!restorePlace()) placeOnScreen();
        // The control that has the focus shows its frame from the start, not only after the first Tab.
        setAttribute(Qt::WA_KeyboardFocusChange);
    }
    if (isJobRunning()) return;  // the job has the engine
    guarded([this] {
        updateWindowTexts();
        showTab(openingTab_.value_or(WindowTab::Split));
        // The program's own small PDF: a PDFium that cannot open it says so at
        // start. Small enough to open here, while the window is shown.
        InputProbe(dialogs_, [this](const std::string& key) { return translation(key); })
            .probe(programFolder() + "testFile.pdf");
    });
}

// Smaller than it was laid out where the screen is smaller, so that every
// edge and the title bar can be reached; the frame it will then have.
QRect MainWindow::fitToScreen(const QRect& available) {
    const QSize frameExtra = frameGeometry().size() - size();
    const QSize fitting = size().boundedTo(available.size() - frameExtra).expandedTo(minimumSize());
    if (fitting != size()) resize(fitting);
    return QRect(frameGeometry().topLeft(), fitting + frameExtra);
}

// Centred on the screen, and fitted to it.
void MainWindow::placeOnScreen() {
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect available = screen->availableGeometry();
    QRect frame = fitToScreen(available);
    frame.moveCenter(available.center());
    move(std::max(frame.left(), available.left()), std::max(frame.top(), available.top()));
}

// The size and place of the last run, moved and fitted onto the screen where
// the screens changed since.
bool MainWindow::restorePlace() {
    const QByteArray stored = QByteArray::fromBase64(QByteArray::fromStdString(Settings().read(windowGeometryName)));
    if (stored.isEmpty() || !restoreGeometry(stored)) return false;
    QScreen* screen = QGuiApplication::screenAt(frameGeometry().center());
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return true;
    const QRect available = screen->availableGeometry();
    QRect frame = fitToScreen(available);
    frame.moveLeft(std::max(available.left(), std::min(frame.left(), available.right() + 1 - frame.width())));
    frame.moveTop(std::max(available.top(), std::min(frame.top(), available.bottom() + 1 - frame.height())));
    move(frame.topLeft());
    return true;
}

void MainWindow::rememberPlace() {
    try {
        Settings().write(windowGeometryName, saveGeometry().toBase64().toStdString());
    } catch (const std::exception&) {
        // A window that opens at its first place next time is no reason to hold up closing.
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (probing_) {
        closeAfterProbe_ = true;  // closed once the file is listed
        event->ignore();
        return;
    }
    if (isJobRunning()) {
        // Closed once the job has stopped after the file it is writing.
        const bool stop =
            dialogs_.ask(textOf(messageText::stopJobAndClose, [this](const std::string& key) { return translation(key); }));
        // The job may have ended while the question was open: Yes then closes at once.
        if (stop && isJobRunning()) {
            closeAfterJob_ = true;
            runner_->requestStop();
        }
        if (!stop || isJobRunning()) {
            event->ignore();
            return;
        }
    }
    QMainWindow::closeEvent(event);
    if (!event->isAccepted()) return;
    rememberPlace();
    QCoreApplication::quit();
}

void MainWindow::showTab(WindowTab tab) { tabs_->setCurrentIndex(static_cast<int>(tab)); }

void MainWindow::openOnTab(WindowTab tab) {
    openingTab_ = tab;
    showTab(tab);
}

void MainWindow::updateWindowTexts() {
    // Message boxes are captioned with the application title.
    const QString name = QString::fromLatin1(ApplicationName);
    QGuiApplication::setApplicationDisplayName(name);
    aboutTab_->setTitle(name + " " + QString::fromStdString(applicationVersion()));
    // A right-to-left window starts the line with a right-to-left mark, so that
    // it runs from the right although it begins with the Latin product name.
    const QString direction = QGuiApplication::isRightToLeft() ? QString(QChar(0x200F)) : QString();
    statusText_->setText(direction + name + " " + QString::fromStdString(translation(messageKey::statusText)));
    setWindowTitle(name);
}

// ---------------------------------------------------------------- languages

void MainWindow::initTranslations() {
    translations_ = std::make_unique<Translations>(
        this, [this](const QString& message) { dialogs_.showMessage(message.toStdString(), MessageKind::Error); });
    language_ = Settings().language();
    if (language_.empty()) {
        language_ = "English";
        Settings().setLanguage(language_);
    }
    languageSelector_->clear();
    // Each language by its own name; the setting keeps the file's name.
    for (const OfferedLanguage& offered : offeredLanguages(QString::fromStdString(languagesFolder_)))
        languageSelector_->addItem(offered.ownName, offered.name);
    languageSelector_->setCurrentIndex(languageSelector_->findData(QString::fromStdString(language_)));
    loadLanguage(language_);
}

void MainWindow::loadLanguage(const std::string& name) {
    std::string file = languagesFolder_ + name + ".ini";
    if (!isExistingFile(file)) {
        language_ = "English";
        file = languagesFolder_ + "English.ini";
        Settings().setLanguage(language_);
        languageSelector_->setVisible(false);  // for the rest of the run
    }
    translations_->load(QString::fromStdString(file));
    QStringList captions;
    for (const char* key :
         {messageKey::gridFileName, messageKey::gridPath, messageKey::gridPages, messageKey::gridPassword})
        captions << QString::fromStdString(translation(key));
    captions << QString::fromStdString(
        textOf(messageText::gridSelection, [this](const std::string& key) { return translation(key); }));
    for (ListKind kind : {ListKind::Split, ListKind::Merge, ListKind::Mix}) lists_->model(kind).setCaptions(captions);
    const QString languageCode = QString::fromStdString(translation(messageText::languageCode.key));
    useQtTranslation(languageCode);
    QGuiApplication::setLayoutDirection(layoutDirectionOf(languageCode));
    if (QGuiApplication::isRightToLeft())
        if (auto* example = findChild<QLabel*>(QString::fromLatin1(widgetName::splitRangeHelp));
            example && !example->text().contains(QChar(0x2066)))  // a text the language kept from before
            example->setText(isolateNumberLists(example->text()));
    setFont(windowFont(languageCode));
    languageSelector_->setAccessibleName(QString::fromStdString(
        textOf(messageText::languageChoice, [this](const std::string& key) { return translation(key); })));
    nameCaptionlessControls(*this);
    listChanged(ListKind::Merge);  // the page total in the new language
    showMixPagesTitle();
    updateWindowTexts();
}

// The Mix tab's panel shows the first of the mixed files, or the only one.
void MainWindow::showMixPagesTitle() {
    const std::string title = mixTab_->singleFileBox()->isChecked()
                                  ? textOf(messageText::mixOneFilePages, [this](const std::string& key) { return translation(key); })
                                  : translation(widgetName::mixPages);
    if (!title.empty()) preview_->strip(ListKind::Mix).toggle()->setText(QString::fromStdString(title));
}

void MainWindow::changeLanguage() {
    language_ = languageSelector_->currentData().toString().toStdString();
    Settings().setLanguage(language_);
    loadLanguage(language_);
}

std::string MainWindow::translation(const std::string& key) const {
    if (!translations_) return std::string();
    return translations_->text(QString::fromStdString(key)).toStdString();
}

// ---------------------------------------------------------------- protection settings

ProtectionDialog& MainWindow::protectionDialog() {
    if (!protectionDialog_) {
        protectionDialog_ = new ProtectionDialog(
            protection_, [this](const std::string& key) { return translation(key); },
            [](const std::string& name, const std::string& value) { Settings().write(name, value); }, dialogs_,
            [this](bool locked) { showLocked(locked); }, this);
    }
    return *protectionDialog_;
}

void MainWindow::showLocked(bool locked) { settingsButton_->setIcon(aboutTab_->lockPicture(locked)); }

// ---------------------------------------------------------------- adding files

void MainWindow::addFile(ListKind kind, const std::string& path) {
    lists_->addFile(kind, path);
    listChanged(kind);
    if (closeAfterProbe_) {
        closeAfterProbe_ = false;
        close();
    }
}

InputProbe::Open MainWindow::openWhileProbing(InputProbe::Open open) {
    if (!open)
        open = [](const std::string& path, const NextPassword& nextPassword) { return openWithPasswords(path, nextPassword); };
    return [this, open = openOnWorkerThread(std::move(open))](const std::string& path, const NextPassword& nextPassword) {
        const QScopedValueRollback<bool> probing(probing_, true);
        return open(path, nextPassword);
    };
}

void MainWindow::addChosenFiles(ListKind kind) {
    const std::vector<std::string> files = dialogs_.chooseOpenFiles(pdfFileFilter, true);
    if (kind == ListKind::Merge) {
        for (const std::string& file : files) addFile(kind, file);
    } else {
        addWhatFits(kind, files);
    }
}

void MainWindow::addWhatFits(ListKind kind, const std::vector<std::string>& files) {
    // A split takes one file and replaces the one it has; a mix fills its two places.
    const int free = kind == ListKind::Split ? 1 : 2 - lists_->filesCount(kind);
    if (free <= 0) return addFile(kind, files.front());  // the full list says why it takes no more
    const auto room = static_cast<std::size_t>(free);
    std::string kept;
    for (std::size_t i = 0; i < files.size() && i < room; ++i) {
        addFile(kind, files[i]);
        kept += (kept.empty() ? "" : ", ") + inputFileFor(files[i]).fileName;
    }
    if (files.size() > room)
        dialogs_.showMessage(textOf(kind == ListKind::Split ? messageText::splitKept : messageText::mixKept,
                                    [this](const std::string& key) { return translation(key); }, {kept}));
}

// The selected rows of the merge grid (0 = the first file).
std::vector<int> MainWindow::selectedMergeRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : mergeTab_->fileGrid()->selectionModel()->selectedRows()) rows.push_back(index.row());
    return rows;
}

void MainWindow::removeSelectedMergeFiles() {
    const std::vector<int> rows = selectedMergeRows();
    if (rows.size() > 1) lists_->removeFiles(ListKind::Merge, rows);
    else lists_->removeSelectedFile(ListKind::Merge);
}

// The Up and Down buttons and Ctrl+Up and Ctrl+Down: the selected rows move
// one place, and the selection follows them.
void MainWindow::moveMergeFiles(int step) {
    std::vector<int> rows = selectedMergeRows();
    if (rows.empty() && lists_->selectedRow(ListKind::Merge) != -1) rows.push_back(lists_->selectedRow(ListKind::Merge));
    lists_->moveFiles(ListKind::Merge, rows, step);
    listChanged(ListKind::Merge);
}

void MainWindow::listChanged(ListKind kind) {
    const int count = lists_->filesCount(kind);
    JobTab& tab = listControls_->tab(kind);
    const bool idle = !isJobRunning();
    tab.addButton()->setEnabled(idle && (kind == ListKind::Merge || count < (kind == ListKind::Split ? 1 : 2)));
    tab.removeButton()->setEnabled(idle && count > 0);
    preview_->update(kind);
    if (kind != ListKind::Merge) return;
    mergeTab_->upButton()->setEnabled(idle && count > 1);
    mergeTab_->downButton()->setEnabled(idle && count > 1);
    const auto translate = [this](const std::string& key) { return translation(key); };
    FileListModel& merged = lists_->model(ListKind::Merge);
    merged.setSelectionHint(QString::fromStdString(textOf(messageText::gridSelectionHint, translate)));
    const long long total = mergedPageCount(merged.files(), mergeTab_->padOdd());
    mergeTab_->showTotalPages(
        count == 0 ? QString()
                   : QString::fromStdString(textOf(messageText::totalPages, translate, {std::to_string(total)})));
}

int MainWindow::pageCount(ListKind kind, int row) const { return lists_->model(kind).file(row).pageCount; }

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() && !isJobRunning() && !probing_) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls())
        paths.push_back((url.isLocalFile() ? url.toLocalFile() : url.toString()).toStdString());
    if (isJobRunning() || probing_) return;
    event->acceptProposedAction();
    guarded([this, &paths] { dropFiles(paths); });
}

void MainWindow::dropFiles(const std::vector<std::string>& paths) {
    const auto tab = static_cast<WindowTab>(tabs_->currentIndex());
    if (tab == WindowTab::About) {
        dialogs_.showMessage(translation(messageKey::wrongTab));
        return;
    }
    const ListKind kind = listOf(tab);
    std::vector<std::string> files;
    for (const std::string& path : paths) {
        if (!hasPdfExtension(path)) {
            dialogs_.showMessage(translation(messageKey::notPdf) + " " + path);
            continue;
        }
        if (isExistingFile(path)) files.push_back(path);
    }
    if (kind == ListKind::Merge) {
        for (const std::string& file : files) addFile(kind, file);
    } else if (!files.empty()) {
        addWhatFits(kind, files);
    }
}
