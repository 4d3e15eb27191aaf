// The window's side of the translations: the selector filled from a folder of
// language files, the language stored and loaded at start, the fall-back to
// English and a change of language while the program runs.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <filesystem>
#include <memory>

#include "qt_application.h"
#include "settings/settings.h"
#include "support/fixtures.h"
#include "support/private_config.h"
#include "support/scripted_dialogs.h"
#include "ui/main_window.h"

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
    TFormTest& openWindow(const QString& storedLanguage) {
        Settings().setLanguage(storedLanguage.toStdString());
        window = std::make_unique<TFormTest>(dialogs, nullptr, languages());
        return *window;
    }
    static std::vector<std::string> headers(QTableWidget* grid) {
        std::vector<std::string> texts;
        for (int column = 0; column < grid->columnCount(); ++column)
            texts.push_back(grid->horizontalHeaderItem(column)->text().toStdString());
        return texts;
    }
    static std::vector<std::string> items(const QComboBox* selector) {
        std::vector<std::string> names;
        for (int i = 0; i < selector->count(); ++i) names.push_back(selector->itemText(i).toStdString());
        return names;
    }
    void pick(const char* language) {
        const int index = window->language_selector->findText(QString::fromLatin1(language));
        ASSERT_GE(index, 0) << language;
        window->language_selector->setCurrentIndex(index);
        window->language_selectorChange();
    }

    TempDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<TFormTest> window;
};

TEST_F(WindowLanguages, TheSelectorListsTheFolderInItsOwnOrderUpToTheFirstDot) {
    writeLanguage("English.ini", englishFile);
    writeLanguage("German.ini", germanFile);
    writeLanguage("pt.BR.ini", "TabMerge=Mesclar\n");
    writeLanguage(".Hidden.ini", "TabMerge=Hidden\n");
    writeLanguage("readme.txt", "not a language");
    std::filesystem::create_directory(languages() + "Folder.ini");

    // The order the file system lists the folder in, not sorted.
    std::vector<std::string> expected;
    for (const auto& entry : std::filesystem::directory_iterator(languages())) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && name.front() != '.' && entry.path().extension() == ".ini")
            expected.push_back(name.substr(0, name.find('.')));
    }
    TFormTest& w = openWindow("German");
    EXPECT_EQ(items(w.language_selector), expected);
    EXPECT_EQ(w.language_selector->currentText(), "German");
    EXPECT_FALSE(w.language_selector->isHidden());
    EXPECT_EQ(w.PageControl1->tabText(1), "Zusammenführen");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(WindowLanguages, AnEmptySettingStartsInEnglishAndStoresIt) {
    writeLanguage("German.ini", germanFile);
    writeLanguage("English.ini", englishFile);
    TFormTest& w = openWindow("");
    EXPECT_EQ(Settings().language(), "English");
    EXPECT_EQ(w._selected_language, "English");
    EXPECT_EQ(w.language_selector->currentText(), "English");
    EXPECT_EQ(w._getTranslation("MsgErrTab"), "Pick a job tab first");
    EXPECT_FALSE(w.language_selector->isHidden());
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
        TFormTest& w = openWindow(stored);
        EXPECT_NE(w.language_selector->currentText(), "German") << "the name is matched with its case";
        EXPECT_TRUE(w.language_selector->isHidden());
        EXPECT_EQ(Settings().language(), "English");
        EXPECT_EQ(w._selected_language, "English");
        EXPECT_EQ(w.PageControl1->tabText(1), "Merge");
        EXPECT_EQ(w._getTranslation("Statustext2"), "- split english");
        EXPECT_TRUE(dialogs.messages.empty());

        // A later load that finds its file leaves the selector hidden.
        w._loadLanguage("German");
        EXPECT_TRUE(w.language_selector->isHidden());
        EXPECT_EQ(w.PageControl1->tabText(1), "Zusammenführen");
    }
}

TEST_F(WindowLanguages, WithoutAnEnglishFileTheMessageNamesItAndDesignCaptionsStay) {
    writeLanguage("German.ini", germanFile);
    TFormTest& w = openWindow("French");
    const std::string english = std::filesystem::absolute(languages() + "English.ini").lexically_normal().string();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0], "Unable to load language file " + english);
    EXPECT_TRUE(w.language_selector->isHidden());
    EXPECT_EQ(Settings().language(), "English");
    EXPECT_EQ(w._getTranslation("MsgErrTab"), "");
    EXPECT_EQ(w.cmd_split_run->text(), "Split this PDF!");
    EXPECT_EQ(w.PageControl1->tabText(1), "Merge");
    EXPECT_EQ(headers(w.MergeStringGrid), (std::vector<std::string>{"#", "", "", "", ""}));
}

// Headers on all three grids and the window texts follow every load; keys the
// new file lacks keep the texts of the language before it.
TEST_F(WindowLanguages, AChangeAtRunTimeReplacesOnlyTheKeysTheNewFileHas) {
    writeLanguage("English.ini", englishFile);
    writeLanguage("German.ini", germanFile);
    TFormTest& w = openWindow("English");
    for (QTableWidget* grid : {w.SplitStringGrid, w.MergeStringGrid, w.MixStringGrid})
        EXPECT_EQ(headers(grid), (std::vector<std::string>{"#", "Filename", "Path", "Pages", "Password"}));

    pick("German");
    EXPECT_EQ(Settings().language(), "German");
    EXPECT_EQ(w._selected_language, "German");
    for (QTableWidget* grid : {w.SplitStringGrid, w.MergeStringGrid, w.MixStringGrid})
        EXPECT_EQ(headers(grid), (std::vector<std::string>{"#", "Dateiname", "", "Seiten", "Passwort"}))
            << grid->objectName().toStdString();
    EXPECT_EQ(w.statusPanel->text(), "Splimera - teilen deutsch");
    EXPECT_EQ(w.label_app_name->text(), "Splimera 1.0.0.0");
    EXPECT_EQ(w.PageControl1->tabText(1), "Zusammenführen");
    EXPECT_EQ(w.cmd_split_run->text(), "Split this PDF!");
    EXPECT_EQ(w._getTranslation("MsgErrTab"), "Pick a job tab first");
    EXPECT_TRUE(w.language_selector->isEnabled());
    EXPECT_FALSE(w.language_selector->isHidden());

    w.PageControl1->setCurrentWidget(w.TabAbout);
    w._dropFiles({dir.file("a.pdf")});
    w.PageControl1->setCurrentWidget(w.TabSplit);
    w._dropFiles({dir.file("notes.txt")});
    EXPECT_EQ(dialogs.messages,
              (std::vector<std::string>{"Pick a job tab first", "Keine PDF-Datei: " + dir.file("notes.txt")}));

    pick("English");
    EXPECT_EQ(headers(w.MixStringGrid), (std::vector<std::string>{"#", "Filename", "Path", "Pages", "Password"}));
    EXPECT_EQ(w.PageControl1->tabText(1), "Merge");
    EXPECT_EQ(w.statusPanel->text(), "Splimera - split english");
}

}  // namespace
