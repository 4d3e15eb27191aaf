#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWidget>

#include "settings/translations.h"
#include "settings/widget_caption.h"
#include "support/fixtures.h"
#include "ui/qt_application.h"

namespace {

// Widgets need the application object before the first of them is made.
struct WithApplication {
    WithApplication() { ensureQtApplication(); }
};

// A small window in the shape of the main window: a tab set whose pages hold
// a button, labels, a group box and controls without a caption.
struct SmallWindow : WithApplication {
    QWidget window;
    QTabWidget* tabs = new QTabWidget(&window);
    QWidget* tabSplit = new QWidget;
    QWidget* tabMerge = new QWidget;
    QPushButton* cmdMerge = new QPushButton("Merge files!", tabMerge);
    QGroupBox* mergeOutput = new QGroupBox("Output file options", tabMerge);
    QLabel* lblMfile = new QLabel("Output filename", mergeOutput);
    QLineEdit* destination = new QLineEdit("typed", mergeOutput);
    QLabel* linkWebsite = new QLabel(tabMerge);
    QComboBox* selector = new QComboBox(&window);

    SmallWindow() {
        window.setObjectName("TFormTest");
        tabs->setObjectName("PageControl1");
        tabSplit->setObjectName("TabSplit");
        tabMerge->setObjectName("TabMerge");
        tabs->addTab(tabSplit, "Split");
        tabs->addTab(tabMerge, "Merge");
        cmdMerge->setObjectName("cmd_merge");
        mergeOutput->setObjectName("merge_output");
        lblMfile->setObjectName("lbl_mfile");
        destination->setObjectName("merge_destination_filename");
        linkWebsite->setObjectName("link_website");
        linkWebsite->setTextFormat(Qt::PlainText);
        selector->setObjectName("language_selector");
        selector->addItems({"English", "German"});
    }
};

struct Loader {
    fixtures::TempDir folder;
    SmallWindow form;
    QStringList messages;
    Translations languages{&form.window, [this](const QString& text) { messages << text; }};

    void load(const std::string& name, const std::string& content) {
        fixtures::writeFile(folder.file(name), content);
        languages.load(QString::fromStdString(folder.file(name)));
    }
};

TEST(Translations, LoadSetsCaptionsByControlNameAndStoresTexts) {
    Loader loader;
    loader.load("French.ini",
                "[Main]\n"
                "tabmerge=Fusionner\n"
                "CMD_MERGE = Fusionner les fichiers !\n"
                "merge_output=Sortie = fichier\n"
                "link_website=<a href=\"https://example.org/fr\">site</a>\n"
                "merge_destination_filename=not a caption\n"
                "language_selector=not a caption either\n"
                ";lbl_mfile=no comment\n"
                "\n"
                "GridPath=Chemin\n");
    SmallWindow& form = loader.form;
    EXPECT_TRUE(loader.messages.isEmpty());
    EXPECT_EQ(form.tabs->tabText(1), "Fusionner");
    EXPECT_EQ(form.tabs->tabText(0), "Split");
    EXPECT_EQ(form.cmdMerge->text(), "Fusionner les fichiers !");
    EXPECT_EQ(form.mergeOutput->title(), "Sortie = fichier");
    EXPECT_EQ(form.lblMfile->text(), "Output filename");
    EXPECT_EQ(form.destination->text(), "typed");
    EXPECT_EQ(form.selector->count(), 2);
    EXPECT_EQ(form.linkWebsite->textFormat(), Qt::RichText);
    EXPECT_EQ(form.linkWebsite->text(), "<a href=\"https://example.org/fr\">site</a>");
    EXPECT_EQ(form.window.windowTitle(), "");

    Translations& languages = loader.languages;
    EXPECT_EQ(languages.text("gridPATH"), "Chemin");
    EXPECT_EQ(languages.text(";LBL_MFILE"), "no comment");
    EXPECT_EQ(languages.text("merge_destination_filename"), "not a caption");
    EXPECT_EQ(languages.text("Main"), "");
    EXPECT_EQ(languages.text("Missing"), "");
}

TEST(Translations, LaterLoadReplacesRemovesAndKeepsWhatItLacks) {
    Loader loader;
    loader.load("English.ini", "TabMerge=Merge\nMsgErrTab=Switch tabs first.\nGridPath=Path\ncmd_merge=Merge files!\n");
    loader.load("Other.ini", "tabMERGE=Zusammenführen\nGridPath=\ncmd_merge=\nGridPages=Seiten\ngridpages=Seitenzahl\n");
    Translations& languages = loader.languages;
    EXPECT_EQ(languages.text("MsgErrTab"), "Switch tabs first.");
    EXPECT_EQ(languages.text("TabMerge"), "Zusammenführen");
    EXPECT_EQ(languages.text("GridPath"), "");
    EXPECT_EQ(languages.text("GridPages"), "Seitenzahl");
    EXPECT_EQ(loader.form.tabs->tabText(1), "Zusammenführen");
    EXPECT_EQ(loader.form.cmdMerge->text(), "");  // an emptied control key empties the caption
    EXPECT_TRUE(loader.messages.isEmpty());
}

TEST(Translations, MissingFileIsReportedAndLoadsNothing) {
    Loader loader;
    loader.load("English.ini", "TabMerge=Merge them\nMsgMixDone=Mixed.\n");
    const QString missing = QString::fromStdString(loader.folder.file("German.ini"));
    loader.languages.load(missing);
    loader.languages.load(QString::fromStdString(loader.folder.path()));  // a folder
    ASSERT_EQ(loader.messages.size(), 2);
    EXPECT_EQ(loader.messages[0], "Unable to load language file " + missing);
    EXPECT_EQ(loader.messages[1], "Unable to load language file " + QString::fromStdString(loader.folder.path()));
    EXPECT_EQ(loader.languages.text("MsgMixDone"), "Mixed.");
    EXPECT_EQ(loader.form.tabs->tabText(1), "Merge them");
}

TEST(Translations, FindComponentMatchesDescendantsIgnoringCase) {
    SmallWindow form;
    const struct {
        const char* name;
        QObject* expected;
    } cases[] = {
        {"cmd_merge", form.cmdMerge},     {"CMD_Merge", form.cmdMerge}, {"lbl_mfile", form.lblMfile},
        {"tabmerge", form.tabMerge},      {"TFormTest", nullptr},       {"", nullptr},
        {"cmd_merg", nullptr},            {"cmd_merge ", nullptr},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Translations::findComponent(&form.window, c.name), c.expected) << c.name;
    EXPECT_EQ(Translations::findComponent(nullptr, "cmd_merge"), nullptr);
}

// A caption reaches each kind of control that has one; a control without one
// keeps what it shows.
TEST(Translations, CaptionsGoWhereTheControlShowsThem) {
    SmallWindow form;
    EXPECT_TRUE(setCaption(form.cmdMerge, "Go"));
    EXPECT_TRUE(setCaption(&form.window, "Window title"));
    EXPECT_TRUE(setCaption(form.mergeOutput, "Output"));
    EXPECT_FALSE(setCaption(form.destination, "no caption here"));
    EXPECT_FALSE(setCaption(nullptr, "x"));
    EXPECT_EQ(form.cmdMerge->text(), "Go");
    EXPECT_EQ(form.window.windowTitle(), "Window title");
    EXPECT_EQ(form.mergeOutput->title(), "Output");
    EXPECT_EQ(form.destination->text(), "typed");
}

}  // namespace
