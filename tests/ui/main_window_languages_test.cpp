// The window's side of the translations: the selector filled from a folder of
// language files, the language stored and loaded at start, the fall-back to
// English and a change of language while the program runs.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <filesystem>
#include <memory>

#include "qt_application.h"
#include "settings/settings.h"
#include "support/fixtures.h"
#include "support/private_config.h"
#include "support/scripted_dialogs.h"
#include "settings/language_folder.h"
#include "settings/translations.h"
#include "ui/main_window.h"
#include "ui/qt_translation.h"
#include "window_controls.h"

namespace {

using fixtures::TempDir;

const char* const englishFile =
    "TabMerge=Merge\n"
    "cmd_split_run=Split this PDF!\n"
    "Statustext2=- split english\n"
    "GridFilename=Filename\nGridPath=Path\nGridPages=Pages\nGridPassword=Password\n"
    "MsgErrTab=Pick a job tab first\n"
    "MsgErrExtension=Not a PDF:\n";

// Lacks MsgErrTab and cmd_split_run, empties GridPath, and tries to set the
// version label that the window writes itself.
const char* const germanFile =
    "[Main window]\n"
    "TabMerge=Zusammenführen\n"
    "Statustext2=- teilen deutsch\n"
    "label_app_name=Überschrieben\n"
    "GridFilename=Dateiname\nGridPath=\nGridPages=Seiten\nGridPassword=Passwort\n"
    "MsgErrExtension=Keine PDF-Datei:\n";

class WindowLanguages : public ::testing::Test {
protected:
    void SetUp() override {
        ensureQtApplication();
        std::filesystem::create_directory(dir.file("languages"));
    }
    void writeLanguage(const std::string& fileName, const std::string& text) {
        fixtures::writeFile(languages() + fileName, text);
    }
    std::string languages() { return dir.file("languages") + "/"; }
    MainWindow& openWindow(const QString& storedLanguage) {
        Settings().setLanguage(storedLanguage.toStdString());
        window = std::make_unique<MainWindow>(dialogs, nullptr, languages());
        return *window;
    }
    // The headers of the columns every grid has.
    static std::vector<std::string> headers(QTableView* grid) {
        std::vector<std::string> texts;
        for (int column = 0; column < std::min(grid->model()->columnCount(), 5); ++column)
            texts.push_back(grid->model()->headerData(column, Qt::Horizontal).toString().toStdString());
        return texts;
    }
    static std::vector<std::string> items(const QComboBox* selector) {
        std::vector<std::string> names;
        for (int i = 0; i < selector->count(); ++i) names.push_back(selector->itemText(i).toStdString());
        return names;
    }
    void pick(const char* language) {
        auto* selector = control<QComboBox>(*window, "language_selector");
        const int index = selector->findData(QString::fromLatin1(language));
        ASSERT_GE(index, 0) << language;
        selector->setCurrentIndex(index);
        emit selector->activated(index);
    }

    TempDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;
};

TEST_F(WindowLanguages, TheSelectorListsTheFolderAlphabeticallyUpToTheFirstDot) {
    writeLanguage("English.ini", englishFile);
    writeLanguage("German.ini", germanFile);
    writeLanguage("pt.BR.ini", "TabMerge=Mesclar\n");
    writeLanguage("dansk.ini", "TabMerge=Flet\n");
    writeLanguage(".Hidden.ini", "TabMerge=Hidden\n");
    writeLanguage("readme.txt", "not a language");
    std::filesystem::create_directory(languages() + "Folder.ini");

    // In alphabetical order, whatever order the file system lists them in.
    const std::vector<std::string> expected = {"dansk", "English", "German", "pt"};
    MainWindow& w = openWindow("German");
    EXPECT_EQ(items(control<QComboBox>(w, "language_selector")), expected);
    EXPECT_EQ(control<QComboBox>(w, "language_selector")->currentText(), "German");
    EXPECT_FALSE(control<QComboBox>(w, "language_selector")->isHidden());
    EXPECT_EQ(control<QTabWidget>(w, "PageControl1")->tabText(1), "Zusammenführen");
    EXPECT_TRUE(dialogs.messages.empty());
}

// Each language by the name it gives itself, in alphabetical order of those
// names (accented Latin letters among their plain ones, other scripts after
// Latin); the setting keeps the file's name.
TEST_F(WindowLanguages, TheSelectorShowsEachLanguageByItsOwnName) {
    writeLanguage("English.ini", std::string(englishFile) + "LanguageName=English\n");
    writeLanguage("German.ini", std::string(germanFile) + "LanguageName=Deutsch\n");
    writeLanguage("Czech.ini", "LanguageName=Čeština\nTabMerge=Sloučit\n");
    writeLanguage("Japanese.ini", "LanguageName=日本語\nTabMerge=結合\n");
    writeLanguage("Russian.ini", "languagename = Русский\n");
    writeLanguage("Arabic.ini", "LanguageName=العربية\n");
    writeLanguage("Zulu.ini", "TabMerge=Hlanganisa\n");
    MainWindow& w = openWindow("German");
    auto* selector = control<QComboBox>(w, "language_selector");
    EXPECT_EQ(items(selector),
              (std::vector<std::string>{"Čeština", "Deutsch", "English", "Zulu", "Русский", "العربية", "日本語"}));
    EXPECT_EQ(selector->currentText(), "Deutsch");

    pick("Japanese");
    EXPECT_EQ(selector->currentText(), "日本語");
    EXPECT_EQ(Settings().language(), "Japanese");
    EXPECT_EQ(w.language(), "Japanese");
    EXPECT_EQ(control<QTabWidget>(w, "PageControl1")->tabText(1), "結合");
}

TEST_F(WindowLanguages, AnEmptySettingStartsInEnglishAndStoresIt) {
    writeLanguage("German.ini", germanFile);
    writeLanguage("English.ini", englishFile);
    MainWindow& w = openWindow("");
    EXPECT_EQ(Settings().language(), "English");
    EXPECT_EQ(w.language(), "English");
    EXPECT_EQ(control<QComboBox>(w, "language_selector")->currentText(), "English");
    EXPECT_EQ(w.translation("MsgErrTab"), "Pick a job tab first");
    EXPECT_FALSE(control<QComboBox>(w, "language_selector")->isHidden());
}

// A stored name without its file, in any spelling the file system does not
// match, falls back to English, stores it and hides the selector for good.
TEST_F(WindowLanguages, AStoredLanguageWithoutItsFileFallsBackToEnglishAndHidesTheSelector) {
    writeLanguage("English.ini", englishFile);
    writeLanguage("German.ini", germanFile);
    writeLanguage("pt.BR.ini", "TabMerge=Mesclar\n");
    for (const char* stored : {"Klingon", "german", "pt"}) {
        SCOPED_TRACE(stored);
        dialogs.messages.clear();
        MainWindow& w = openWindow(stored);
        EXPECT_NE(control<QComboBox>(w, "language_selector")->currentText(), "German") << "the name is matched with its case";
        EXPECT_TRUE(control<QComboBox>(w, "language_selector")->isHidden());
        EXPECT_EQ(Settings().language(), "English");
        EXPECT_EQ(w.language(), "English");
        EXPECT_EQ(control<QTabWidget>(w, "PageControl1")->tabText(1), "Merge");
        EXPECT_EQ(w.translation("Statustext2"), "- split english");
        EXPECT_TRUE(dialogs.messages.empty());

        // A later load that finds its file leaves the selector hidden.
        w.loadLanguage("German");
        EXPECT_TRUE(control<QComboBox>(w, "language_selector")->isHidden());
        EXPECT_EQ(control<QTabWidget>(w, "PageControl1")->tabText(1), "Zusammenführen");
    }
}

TEST_F(WindowLanguages, WithoutAnEnglishFileTheMessageNamesItAndDesignCaptionsStay) {
    writeLanguage("German.ini", germanFile);
    MainWindow& w = openWindow("French");
    const std::string english = std::filesystem::absolute(languages() + "English.ini").lexically_normal().string();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0], "Unable to load language file " + english);
    EXPECT_TRUE(control<QComboBox>(w, "language_selector")->isHidden());
    EXPECT_EQ(Settings().language(), "English");
    EXPECT_EQ(w.translation("MsgErrTab"), "");
    EXPECT_EQ(control<QPushButton>(w, "cmd_split_run")->text(), "Split this PDF!");
    EXPECT_EQ(control<QTabWidget>(w, "PageControl1")->tabText(1), "Merge");
    EXPECT_EQ(headers(control<QTableView>(w, "MergeStringGrid")), (std::vector<std::string>{"#", "", "", "", ""}));
}

// Headers on all three grids and the window texts follow every load; keys the
// new file lacks keep the texts of the language before it.
TEST_F(WindowLanguages, AChangeAtRunTimeReplacesOnlyTheKeysTheNewFileHas) {
    writeLanguage("English.ini", englishFile);
    writeLanguage("German.ini", germanFile);
    MainWindow& w = openWindow("English");
    for (QTableView* grid : {control<QTableView>(w, "SplitStringGrid"), control<QTableView>(w, "MergeStringGrid"), control<QTableView>(w, "MixStringGrid")})
        EXPECT_EQ(headers(grid), (std::vector<std::string>{"#", "Filename", "Path", "Pages", "Password"}));

    pick("German");
    EXPECT_EQ(Settings().language(), "German");
    EXPECT_EQ(w.language(), "German");
    for (QTableView* grid : {control<QTableView>(w, "SplitStringGrid"), control<QTableView>(w, "MergeStringGrid"), control<QTableView>(w, "MixStringGrid")})
        EXPECT_EQ(headers(grid), (std::vector<std::string>{"#", "Dateiname", "", "Seiten", "Passwort"}))
            << grid->objectName().toStdString();
    // A text the language lacks is shown in English.
    EXPECT_EQ(control<QTableView>(w, "MergeStringGrid")->model()->headerData(5, Qt::Horizontal).toString(), "Pages to merge");
    EXPECT_EQ(control<QLabel>(w, "statusPanel")->text(), "Splimera - teilen deutsch");
    EXPECT_EQ(control<QLabel>(w, "label_app_name")->text(), "Splimera 1.0.0.0");
    EXPECT_EQ(control<QTabWidget>(w, "PageControl1")->tabText(1), "Zusammenführen");
    EXPECT_EQ(control<QPushButton>(w, "cmd_split_run")->text(), "Split this PDF!");
    EXPECT_EQ(w.translation("MsgErrTab"), "Pick a job tab first");
    EXPECT_TRUE(control<QComboBox>(w, "language_selector")->isEnabled());
    EXPECT_FALSE(control<QComboBox>(w, "language_selector")->isHidden());

    w.showTab(WindowTab::About);
    w.dropFiles({dir.file("a.pdf")});
    w.showTab(WindowTab::Split);
    w.dropFiles({dir.file("notes.txt")});
    EXPECT_EQ(dialogs.messages,
              (std::vector<std::string>{"Pick a job tab first", "Keine PDF-Datei: " + dir.file("notes.txt")}));

    pick("English");
    EXPECT_EQ(headers(control<QTableView>(w, "MixStringGrid")), (std::vector<std::string>{"#", "Filename", "Path", "Pages", "Password"}));
    EXPECT_EQ(control<QTabWidget>(w, "PageControl1")->tabText(1), "Merge");
    EXPECT_EQ(control<QLabel>(w, "statusPanel")->text(), "Splimera - split english");
}

// Every language file names a language whose Qt translation Debian ships
// (qt6-translations-l10n), so that Qt's own buttons and file dialogs speak it.
TEST(LanguageFilesForQt, EveryLanguageCodeHasQtsOwnTranslation) {
    ensureQtApplication();
    const QString folder = QString::fromStdString(fixtures::programFolder()) + "/languages";
    const QStringList languages = availableLanguages(folder);
    ASSERT_GE(languages.size(), 16);
    for (const QString& language : languages) {
        SCOPED_TRACE(language.toStdString());
        Translations texts(nullptr);
        texts.load(languageFile(folder, language));
        const QString code = texts.text("LanguageCode");
        EXPECT_TRUE(useQtTranslation(code)) << code.toStdString();
        if (!code.startsWith("en")) {
            EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
        }
    }
    useQtTranslation(QString());
}

}  // namespace
