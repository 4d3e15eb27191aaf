#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFont>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QUrl>
#include <algorithm>
#include <cctype>
#include <exception>

#include "jobs/application.h"
#include "jobs/input_file.h"
#include "settings/language_folder.h"
#include "settings/settings.h"
#include "settings/translations.h"
#include "ui/about_tab.h"
#include "ui/application_error.h"
#include "ui/control_factory.h"
#include "ui/dialogs.h"
#include "ui/file_filter.h"
#include "ui/merge_tab.h"
#include "ui/mix_tab.h"
#include "ui/protection_dialog.h"
#include "ui/split_tab.h"
#include "ui/tab_list_controls.h"
#include "ui/ui_icons.h"
#include "ui/widget_names.h"

namespace {

// The folder of the running program, where testFile.pdf and the languages lie.
std::string programFolder() {
    return QCoreApplication::applicationDirPath().toStdString() + "/";
}

bool hasPdfExtension(const std::string& path) {
    std::string tail = path.size() > 4 ? path.substr(path.size() - 4) : path;
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return tail == ".pdf";
}

// The window's base font: Segoe UI 11 pixels high, or the desktop's sans font
// at a size that reads alike where Segoe UI is not installed.
QFont baseFont() {
    QFont font(QStringLiteral("Segoe UI"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    if (QFontInfo(font).family() != QLatin1String("Segoe UI")) {
        font = QFont(QStringLiteral("Sans Serif"));
        font.setStyleHint(QFont::SansSerif);
        font.setPixelSize(12);
    }
    return font;
}

}  // namespace

MainWindow::MainWindow(Dialogs& dialogs, QWidget* parent, std::string languagesFolder)
    : QMainWindow(parent),
      dialogs_(dialogs),
      languagesFolder_(languagesFolder.empty() ? programFolder() + "languages/" : std::move(languagesFolder)),
      probe_(dialogs, [this](const std::string& key) { return translation(key); }) {
    if (languagesFolder_.back() != '/') languagesFolder_ += '/';
    setObjectName(QString::fromLatin1(widgetName::window));
    initUiResources();
    buildControls();
    listControls_ = std::make_unique<TabListControls>(*splitTab_, *mergeTab_, *mixTab_);
    lists_ = std::make_unique<FileLists>(
        probe_, dialogs_, [this](const std::string& key) { return translation(key); }, *listControls_);
    connectControls();

    protection_ = Settings().protection();
    showLocked(!protection_.outputPassword.empty());
    initTranslations();
    setAcceptDrops(true);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildControls() {
    setFont(baseFont());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(1100, 575);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    setCentralWidget(client);

    tabs_ = new TabSet(client);
    tabs_->setObjectName(QString::fromLatin1(widgetName::tabs));
    tabs_->setGeometry(17, 24, 1065, 497);
    splitTab_ = new SplitTab(dialogs_, tabs_);
    mergeTab_ = new MergeTab(dialogs_, tabs_);
    mixTab_ = new MixTab(dialogs_, tabs_);
    aboutTab_ = new AboutTab(tabs_);
    tabs_->addTab(splitTab_, QStringLiteral("Split"));
    tabs_->addTab(mergeTab_, QStringLiteral("Merge"));
    tabs_->addTab(mixTab_, QStringLiteral("Mix"));
    tabs_->addTab(aboutTab_, QStringLiteral("About"));

    // Both sit on the row of the tabs, right of the last tab.
    settingsButton_ =
        controls::iconButton(client, widgetName::settingsButton, "unlocked", "Protection settings", 1050, 24, 32, 32);
    settingsButton_->setIconSize(QSize(24, 24));
    languageSelector_ = new QComboBox(client);
    languageSelector_->setObjectName(QString::fromLatin1(widgetName::languageSelector));
    languageSelector_->setEditable(false);
    languageSelector_->setGeometry(1050 - 8 - 152, 28, 152, 26);

    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName(QString::fromLatin1(widgetName::statusBar));
    statusBar_->setFixedHeight(37);
    statusBar_->setSizeGripEnabled(false);
    statusText_ = new QLabel(statusBar_);
    statusText_->setObjectName(QString::fromLatin1(widgetName::statusText));
    statusBar_->addWidget(statusText_, 1);
    setStatusBar(statusBar_);
}

void MainWindow::connectControls() {
    connectJobTab(ListKind::Split);
    connectJobTab(ListKind::Merge);
    connectJobTab(ListKind::Mix);
    connect(mergeTab_->upButton(), &QToolButton::clicked, this, [this] { guarded([this] { lists_->moveMergeFileUp(); }); });
    connect(mergeTab_->downButton(), &QToolButton::clicked, this,
            [this] { guarded([this] { lists_->moveMergeFileDown(); }); });
    connect(splitTab_->runButton(), &QAbstractButton::clicked, this, [this] { guarded([this] { runSplit(); }); });
    connect(mergeTab_->runButton(), &QAbstractButton::clicked, this, [this] { guarded([this] { runMerge(); }); });
    connect(mixTab_->runButton(), &QAbstractButton::clicked, this, [this] { guarded([this] { runMix(); }); });
    connect(settingsButton_, &QToolButton::clicked, this, [this] { guarded([this] { protectionDialog().exec(); }); });
    connect(languageSelector_, &QComboBox::activated, this, [this] { guarded([this] { changeLanguage(); }); });
}

// The add and remove buttons and the row selection of a job tab's list.
void MainWindow::connectJobTab(ListKind kind) {
    JobTab& tab = listControls_->tab(kind);
    connect(tab.addButton(), &QToolButton::clicked, this, [this, kind] { guarded([this, kind] { addChosenFiles(kind); }); });
    connect(tab.removeButton(), &QToolButton::clicked, this,
            [this, kind] { guarded([this, kind] { lists_->removeSelectedFile(kind); }); });
    connect(tab.fileGrid(), &QTableWidget::currentCellChanged, this, [this, kind](int row, int, int, int) {
        if (row >= 0) guarded([this, kind, row] { lists_->selectRow(kind, row + 1); });
    });
}

template <typename Operation>
void MainWindow::guarded(Operation operation) {
    try {
        operation();
    } catch (const std::exception& error) {
        dialogs_.showMessage(applicationErrorText(error.what()));
    }
}

// ---------------------------------------------------------------- show and close

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous()) return;
    if (!shownBefore_) {
        shownBefore_ = true;
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    guarded([this] {
        updateWindowTexts();
        showTab(openingTab_.value_or(WindowTab::Split));
        // The program's own small PDF: a PDFium that cannot open it says so at start.
        probe_.probe(programFolder() + "testFile.pdf");
    });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (event->isAccepted()) QCoreApplication::quit();
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
    statusText_->setText(name + " " + QString::fromStdString(translation(messageKey::statusText)));
    setWindowTitle(name);
}

// ---------------------------------------------------------------- languages

void MainWindow::initTranslations() {
    translations_ = std::make_unique<Translations>(
        this, [this](const QString& message) { dialogs_.showMessage(message.toStdString()); });
    language_ = Settings().language();
    if (language_.empty()) {
        language_ = "English";
        Settings().setLanguage(language_);
    }
    languageSelector_->clear();
    for (const QString& name : availableLanguages(QString::fromStdString(languagesFolder_)))
        languageSelector_->addItem(name);
    languageSelector_->setCurrentIndex(languageSelector_->findText(QString::fromStdString(language_)));
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
    QStringList headers{QStringLiteral("#")};
    for (const char* key :
         {messageKey::gridFileName, messageKey::gridPath, messageKey::gridPages, messageKey::gridPassword})
        headers << QString::fromStdString(translation(key));
    for (JobTab* tab : std::initializer_list<JobTab*>{splitTab_, mergeTab_, mixTab_})
        tab->fileGrid()->setHorizontalHeaderLabels(headers);
    updateWindowTexts();
}

void MainWindow::changeLanguage() {
    language_ = languageSelector_->currentText().toStdString();
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

void MainWindow::addFile(ListKind kind, const std::string& path) { lists_->addFile(kind, path); }

// The Split and Mix add buttons take the first chosen file, the Merge one all of them.
void MainWindow::addChosenFiles(ListKind kind) {
    const std::vector<std::string> files = dialogs_.chooseOpenFiles(pdfFileFilter, true);
    if (files.empty()) return;
    if (kind != ListKind::Merge) return addFile(kind, files.front());
    for (const std::string& file : files) addFile(kind, file);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls())
        paths.push_back((url.isLocalFile() ? url.toLocalFile() : url.toString()).toStdString());
    event->acceptProposedAction();
    guarded([this, &paths] { dropFiles(paths); });
}

void MainWindow::dropFiles(const std::vector<std::string>& paths) {
    ListKind kind;
    switch (static_cast<WindowTab>(tabs_->currentIndex())) {
    case WindowTab::Split: kind = ListKind::Split; break;
    case WindowTab::Merge: kind = ListKind::Merge; break;
    case WindowTab::Mix: kind = ListKind::Mix; break;
    default: dialogs_.showMessage(translation(messageKey::wrongTab)); return;
    }
    for (const std::string& path : paths) {
        if (!hasPdfExtension(path)) {
            dialogs_.showMessage(translation(messageKey::notPdf) + " " + path);
            continue;
        }
        if (isExistingFile(path)) addFile(kind, path);
    }
}
