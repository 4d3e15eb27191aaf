#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QTableWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolButton>
#include <QUrl>
#include <algorithm>
#include <cctype>
#include <exception>
#include <filesystem>

#include "jobs/application.h"
#include "jobs/input_file.h"
#include "settings/language_folder.h"
#include "settings/settings.h"
#include "ui/application_error.h"
#include "ui/control_factory.h"
#include "ui/dialogs.h"
#include "ui/settings_form.h"
#include "ui/shell_open.h"
#include "ui/ui_icons.h"

namespace {

// The folder of the running program, where testFile.pdf and the languages lie.
std::string programFolder() {
    return QCoreApplication::applicationDirPath().toStdString() + "/";
}

std::string lowerCaseTail(const std::string& text, std::size_t count) {
    std::string tail = text.size() > count ? text.substr(text.size() - count) : text;
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return tail;
}

bool isExistingFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(std::filesystem::u8path(path), error);
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

TFormTest::TFormTest(Dialogs& dialogs, QWidget* parent, std::string languagesFolder)
    : QMainWindow(parent),
      _dialogs(dialogs),
      _probe(dialogs, [this](const std::string& key) { return _getTranslation(key); }),
      _lists(_probe, dialogs, [this](const std::string& key) { return _getTranslation(key); }, *this),
      _languagesFolderChoice(std::move(languagesFolder)) {
    setObjectName(QStringLiteral("FormTest"));
    initUiResources();
    _buildControls();
    _connectHandlers();
    _connectListHandlers();
    FormCreate();
}

TFormTest::~TFormTest() = default;

void TFormTest::_buildControls() {
    setFont(baseFont());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(1100, 575);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    setCentralWidget(client);

    PageControl1 = new TabSet(client);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(17, 24, 1065, 497);
    const std::pair<QWidget**, const char*> tabs[] = {
        {&TabSplit, "Split"}, {&TabMerge, "Merge"}, {&TabMix, "Mix"}, {&TabAbout, "About"}};
    for (const auto& [tab, caption] : tabs) {
        *tab = new QWidget(PageControl1);
        (*tab)->setObjectName(QStringLiteral("Tab") + caption);
        PageControl1->addTab(*tab, QString::fromLatin1(caption));
    }
    _buildSplitTab();
    _buildMergeTab();
    _buildMixTab();
    _buildAboutTab();
    PageControl1->setCurrentWidget(TabSplit);

    // Both sit on the row of the tabs, right of the last tab.
    settingsButton = controls::iconButton(client, "settingsButton", "unlocked", "Protection settings", 1050, 24, 32,
                                          32);
    settingsButton->setIconSize(QSize(24, 24));
    language_selector = new QComboBox(client);
    language_selector->setObjectName(QStringLiteral("language_selector"));
    language_selector->setEditable(false);
    language_selector->setGeometry(1050 - 8 - 152, 28, 152, 26);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFixedHeight(37);
    StatusBar1->setSizeGripEnabled(false);
    statusPanel = new QLabel(StatusBar1);
    statusPanel->setObjectName(QStringLiteral("statusPanel"));
    StatusBar1->addWidget(statusPanel, 1);
    setStatusBar(StatusBar1);
}

void TFormTest::_connectHandlers() {
    auto on = [this](auto* sender, auto signal, void (TFormTest::*handler)()) {
        connect(sender, signal, this, [this, handler] { _guarded([this, handler] { (this->*handler)(); }); });
    };
    on(splitBtnAddFile, &QToolButton::clicked, &TFormTest::splitBtnAddFileClick);
    on(mergeBtnAddFile, &QToolButton::clicked, &TFormTest::mergeBtnAddFileClick);
    on(mixBtnAddFile, &QToolButton::clicked, &TFormTest::mixBtnAddFileClick);
    on(cmd_split_dest, &QPushButton::clicked, &TFormTest::cmd_split_destClick);
    on(cmd_mix_dest, &QPushButton::clicked, &TFormTest::cmd_mix_destClick);
    on(cmd_merge_dest, &QPushButton::clicked, &TFormTest::cmd_merge_destClick);
    on(split_method1_input1, &QLineEdit::textChanged, &TFormTest::split_method1_input1Change);
    on(split_method2_input1, &QLineEdit::textChanged, &TFormTest::split_method2_input1Change);
    on(split_method3_input1, &QLineEdit::textChanged, &TFormTest::split_method3_input1Change);
    on(split_method3_input2, &QLineEdit::textChanged, &TFormTest::split_method3_input2Change);
    on(split_method4_input1, &QLineEdit::textChanged, &TFormTest::split_method4_input1Change);
    on(split_method4_input2, &QLineEdit::textChanged, &TFormTest::split_method4_input2Change);
    on(settingsButton, &QToolButton::clicked, &TFormTest::settingsButtonClick);
    on(language_selector, &QComboBox::activated, &TFormTest::language_selectorChange);
    on(cmd_split_run, &QPushButton::clicked, &TFormTest::cmd_split_runClick);
    on(cmd_merge, &QPushButton::clicked, &TFormTest::cmd_mergeClick);
    on(cmd_mix_run, &QPushButton::clicked, &TFormTest::cmd_mix_runClick);
    connect(link_website, &QLabel::linkActivated, this,
            [this](const QString& link) { _guarded([this, link] { link_websiteLinkClick(link); }); });
    connect(LinkLabel1, &QLabel::linkActivated, this,
            [this](const QString& link) { _guarded([this, link] { LinkLabel1LinkClick(link); }); });
}

void TFormTest::_guarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        _dialogs.showMessage(applicationErrorText(error.what()));
    }
}

// ---------------------------------------------------------------- creation, show, close

void TFormTest::FormCreate() {
    // The floating-point control word of the original platform (all exceptions
    // masked, 53-bit precision, rounding to nearest) is the default here.
    _protection = Settings().protection();
    _updateSettingsPicture();
    _initTranslations();
    // The lists start empty, with no selected rows (the file lists' own start state).
    setAcceptDrops(true);
    _isCommandLine = false;
}

void TFormTest::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous()) return;
    if (!_shownBefore) {
        _shownBefore = true;
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    _guarded([this] { FormShow(); });
}

void TFormTest::FormShow() {
    _updateWindowTexts();
    if (!_isCommandLine) PageControl1->setCurrentWidget(TabSplit);
    _probe.probe(programFolder() + "testFile.pdf");
}

void TFormTest::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (event->isAccepted()) FormClose();
}

void TFormTest::FormClose() {
    QCoreApplication::quit();
}

void TFormTest::_updateWindowTexts() {
    // Message boxes are captioned with the application title.
    const QString name = QString::fromLatin1(ApplicationName);
    QGuiApplication::setApplicationDisplayName(name);
    label_app_name->setText(name + " " + QString::fromStdString(applicationVersion()));
    statusPanel->setText(name + " " + QString::fromStdString(_getTranslation("Statustext2")));
    setWindowTitle(name);
}

// ---------------------------------------------------------------- languages

void TFormTest::_initTranslations() {
    _languages_folder = _languagesFolderChoice.empty() ? programFolder() + "languages/" : _languagesFolderChoice;
    if (_languages_folder.back() != '/') _languages_folder += '/';
    _app_languages = std::make_unique<Translations>(
        this, [this](const QString& message) { _dialogs.showMessage(message.toStdString()); });
    _selected_language = Settings().language();
    if (_selected_language.empty()) {
        _selected_language = "English";
        Settings().setLanguage("English");
    }
    language_selector->clear();
    int selected = -1;
    for (const QString& name : availableLanguages(QString::fromStdString(_languages_folder))) {
        language_selector->addItem(name);
        if (name.toStdString() == _selected_language) selected = language_selector->count() - 1;
    }
    language_selector->setCurrentIndex(selected);
    _loadLanguage(_selected_language);
}

void TFormTest::_loadLanguage(const std::string& name) {
    std::string file = _languages_folder + name + ".ini";
    if (!isExistingFile(file)) {
        _selected_language = "English";
        file = _languages_folder + "English.ini";
        Settings().setLanguage("English");
        language_selector->setVisible(false);  // for the rest of the run
    }
    _app_languages->load(QString::fromStdString(file));
    QStringList headers{QStringLiteral("#")};
    for (const char* key : {"GridFilename", "GridPath", "GridPages", "GridPassword"})
        headers << QString::fromStdString(_getTranslation(key));
    for (QTableWidget* grid : {SplitStringGrid, MergeStringGrid, MixStringGrid}) grid->setHorizontalHeaderLabels(headers);
    _updateWindowTexts();
}

std::string TFormTest::_getTranslation(const std::string& key) {
    if (!_app_languages) return std::string();
    return _app_languages->text(QString::fromStdString(key)).toStdString();
}

void TFormTest::_updateSettingsPicture() {
    _showLocked(!_protection.outputPassword.empty());
}

void TFormTest::_showLocked(bool locked) {
    settingsButton->setIcon(locked ? glyphLocked->icon() : glyphUnlocked->icon());
}

// ---------------------------------------------------------------- dropped files

void TFormTest::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TFormTest::dropEvent(QDropEvent* event) {
    std::vector<std::string> paths;
    for (const QUrl& url : event->mimeData()->urls())
        paths.push_back((url.isLocalFile() ? url.toLocalFile() : url.toString()).toStdString());
    event->acceptProposedAction();
    _guarded([this, &paths] { _dropFiles(paths); });
}

void TFormTest::_dropFiles(const std::vector<std::string>& paths) {
    void (TFormTest::*add)(const std::string&) = nullptr;
    QWidget* tab = PageControl1->currentWidget();
    if (tab == TabSplit) add = &TFormTest::_addSplitFile;
    else if (tab == TabMerge) add = &TFormTest::_addMergeFile;
    else if (tab == TabMix) add = &TFormTest::_addMixFile;
    if (!add) {
        _dialogs.showMessage(_getTranslation("MsgErrTab"));
        return;
    }
    for (const std::string& path : paths) {
        if (lowerCaseTail(path, 4) != ".pdf") {
            _dialogs.showMessage(_getTranslation("MsgErrExtension") + " " + path);
            continue;
        }
        if (isExistingFile(path)) (this->*add)(path);
    }
}

// ---------------------------------------------------------------- add and browse buttons

void TFormTest::splitBtnAddFileClick() {
    const std::vector<std::string> files = _dialogs.chooseOpenFiles("PDF file|*.pdf", true);
    if (!files.empty()) _addSplitFile(files.front());
}

void TFormTest::mergeBtnAddFileClick() {
    for (const std::string& file : _dialogs.chooseOpenFiles("PDF file|*.pdf", true)) _addMergeFile(file);
}

void TFormTest::mixBtnAddFileClick() {
    const std::vector<std::string> files = _dialogs.chooseOpenFiles("PDF file|*.pdf", true);
    if (!files.empty()) _addMixFile(files.front());
}

void TFormTest::cmd_split_destClick() {
    _chooseFolderInto(split_destination_folder, split_dest_other);
}

void TFormTest::cmd_mix_destClick() {
    _chooseFolderInto(mix_destination_folder, mix_dest_other);
}

void TFormTest::_chooseFolderInto(QLineEdit* destination, QRadioButton* otherFolder) {
    std::string start = destination->text().toStdString();
    if (start.empty()) start = QDir::currentPath().toStdString();
    if (!isExistingFolder(start)) start.clear();
    std::string chosen = _dialogs.chooseFolder(start);
    if (chosen.empty()) return;
    const char separator = QDir::separator().toLatin1();
    // A root folder already ends with its separator.
    if (chosen.back() != separator && chosen.back() != '/') chosen += separator;
    destination->setText(QString::fromStdString(chosen));
    otherFolder->setChecked(true);
}

void TFormTest::cmd_merge_destClick() {
    if (_mergeSaveName.empty()) _mergeSaveName = "output.pdf";
    const std::string chosen = _dialogs.chooseSaveFile("PDF file|*.pdf", "pdf", _mergeSaveName);
    if (chosen.empty()) return;
    _mergeSaveName = chosen;
    merge_destination_filename->setText(QString::fromStdString(chosen));
}

// ---------------------------------------------------------------- Split tab change handlers

void TFormTest::_selectWhenFilled(QLineEdit* field, QRadioButton* method) {
    if (!field->text().isEmpty()) method->setChecked(true);
}

void TFormTest::split_method1_input1Change() { _selectWhenFilled(split_method1_input1, r_split_method1); }
void TFormTest::split_method2_input1Change() { _selectWhenFilled(split_method2_input1, r_split_method2); }
void TFormTest::split_method3_input1Change() { _selectWhenFilled(split_method3_input1, r_split_method3); }
void TFormTest::split_method3_input2Change() { _selectWhenFilled(split_method3_input2, r_split_method3); }
void TFormTest::split_method4_input1Change() { _selectWhenFilled(split_method4_input1, r_split_method4); }
void TFormTest::split_method4_input2Change() { _selectWhenFilled(split_method4_input2, r_split_method4); }

// ---------------------------------------------------------------- settings, language, links

TsettingsForm& TFormTest::_settingsForm() {
    if (!settingsForm) {
        settingsForm = new TsettingsForm(
            _protection, [this](const std::string& key) { return _getTranslation(key); },
            [](const std::string& name, const std::string& value) { Settings().write(name, value); },
            _dialogs, [this](bool locked) { _showLocked(locked); }, this);
        settingsForm->setObjectName(QStringLiteral("settingsForm"));
    }
    return *settingsForm;
}

void TFormTest::settingsButtonClick() {
    // The dialog's OK gives the button its picture.
    _settingsForm().exec();
}

void TFormTest::language_selectorChange() {
    _selected_language = language_selector->currentText().toStdString();
    Settings().setLanguage(_selected_language);
    _loadLanguage(_selected_language);
    language_selector->setEnabled(false);
    language_selector->setEnabled(true);
}

void TFormTest::link_websiteLinkClick(const QString& link) {
    ShellOpen(link.toStdString(), "");
}

void TFormTest::LinkLabel1LinkClick(const QString& link) {
    ShellOpen(link.toStdString(), "");
}
