#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QDropEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <filesystem>
#include <functional>
#include <qpdf/QPDF.hh>

#include "qt_application.h"
#include "settings/settings.h"
#include "support/fixtures.h"
#include "support/private_config.h"
#include "support/scripted_dialogs.h"
#include "ui/main_window.h"

namespace {

using fixtures::TempDir;

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ensureQtApplication();
        fixtures::writeMarkedPdf(dir.file("a.pdf"), "A", 4);
        fixtures::writeMarkedPdf(dir.file("b.pdf"), "B", 3);
        fixtures::writeMarkedPdf(dir.file("REPORT.PDF"), "R", 1);
        fixtures::writeFile(dir.file("notes.txt"), "not a PDF");
        std::filesystem::create_directory(dir.file("folder.pdf"));
        std::filesystem::create_directory(dir.file("out"));
    }
    TFormTest& window() {
        if (!window_) window_ = std::make_unique<TFormTest>(dialogs);
        return *window_;
    }
    std::string text(const char* key) { return window()._getTranslation(key); }
    std::string cell(QTableWidget* grid, int row, int column) {
        const QTableWidgetItem* item = grid->item(row - 1, column);
        return item ? item->text().toStdString() : std::string();
    }
    std::vector<std::string> fileColumn(QTableWidget* grid) {
        std::vector<std::string> names;
        for (int row = 1; row <= grid->rowCount() && !cell(grid, row, 1).empty(); ++row)
            names.push_back(cell(grid, row, 1));
        return names;
    }
    // Drops the paths on the window as the desktop would.
    void drop(const std::vector<std::string>& paths) {
        auto* data = new QMimeData;
        QList<QUrl> urls;
        for (const std::string& path : paths) urls << QUrl::fromLocalFile(QString::fromStdString(path));
        data->setUrls(urls);
        QDragEnterEvent enter(QPoint(500, 300), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&window(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent event(QPointF(500, 300), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&window(), &event);
        delete data;
    }
    void addMix(const std::string& first, const std::string& second) {
        dialogs.openAnswers = {{first}, {second}};
        window().mixBtnAddFileClick();
        window().mixBtnAddFileClick();
    }

    TempDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<TFormTest> window_;
};

// ---------------------------------------------------------------- the window as it opens

TEST_F(MainWindow, OpensOnTheSplitTabUnlessTheCommandLineChoseAnother) {
    TFormTest& w = window();
    w.PageControl1->setCurrentWidget(w.TabMix);
    w.show();
    EXPECT_EQ(w.PageControl1->currentWidget(), w.TabSplit);
    EXPECT_TRUE(dialogs.messages.empty()) << "testFile.pdf beside the program opens: " << dialogs.messages.front();
    EXPECT_EQ(w.windowTitle(), "Splimera");
    EXPECT_EQ(w.label_app_name->text().toStdString(), "Splimera " + std::string("1.0.0.0"));
    w.hide();

    w._isCommandLine = true;
    w.PageControl1->setCurrentWidget(w.TabMerge);
    w.show();
    EXPECT_EQ(w.PageControl1->currentWidget(), w.TabMerge);
}

TEST_F(MainWindow, HasTheDesignedSizesAndDefaults) {
    TFormTest& w = window();
    EXPECT_EQ(w.size(), QSize(1100, 575));
    EXPECT_EQ(w.minimumSize(), w.maximumSize()) << "not resizable";
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(w.PageControl1->geometry(), QRect(17, 24, 1065, 497));
    EXPECT_EQ(w.settingsButton->geometry(), QRect(1050, 24, 32, 32));
    EXPECT_EQ(w.language_selector->width(), 152);
    EXPECT_LT(w.language_selector->geometry().right(), 1050);
    EXPECT_EQ(w.StatusBar1->height(), 37);
    EXPECT_EQ(w.PageControl1->tabText(0), "Split");

    const std::pair<QTableWidget*, int> grids[] = {
        {w.SplitStringGrid, 80}, {w.MergeStringGrid, 205}, {w.MixStringGrid, 80}};
    for (const auto& [grid, height] : grids) {
        EXPECT_EQ(grid->size(), QSize(969, height)) << grid->objectName().toStdString();
        const int widths[] = {51, 399, 332, 73, 78};
        for (int column = 0; column < 5; ++column) EXPECT_EQ(grid->columnWidth(column), widths[column]);
        EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), "#");
        EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), "Filename");
    }
    for (QPushButton* run : {w.cmd_split_run, w.cmd_merge, w.cmd_mix_run}) EXPECT_EQ(run->size(), QSize(158, 36));
    for (QProgressBar* bar : {w.ProgressBarSplit, w.ProgressBar2, w.ProgressBarMix}) {
        EXPECT_TRUE(bar->isHidden());
        EXPECT_EQ(bar->maximum(), 100);
    }
    EXPECT_TRUE(w.r_split_method1->isChecked());
    EXPECT_TRUE(w.split_dest_source->isChecked());
    EXPECT_TRUE(w.r_mix1_method1->isChecked());
    EXPECT_TRUE(w.r_mix2_method1->isChecked());
    EXPECT_FALSE(w.mix_reverse_second->isChecked());
    EXPECT_FALSE(w.mix_single_file->isChecked());
    EXPECT_TRUE(w.mergeBookmarks.keep->isChecked());
    EXPECT_TRUE(w.mixBookmarks.keep->isChecked());
    EXPECT_TRUE(w.mix_dest_source->isChecked()) << "the bookmark choice is apart from the destination choice";
    EXPECT_EQ(w.split_base_filename->text(), "filename");
    EXPECT_TRUE(w.split_destination_folder->isReadOnly());
    EXPECT_TRUE(w.merge_destination_filename->isReadOnly());
    EXPECT_TRUE(w.glyphLocked->isHidden());

    // Every number field takes digits only.
    for (QLineEdit* field : w.findChildren<QLineEdit*>()) {
        if (!field->validator()) continue;
        QString typed = QStringLiteral("12a");
        int position = 0;
        EXPECT_NE(field->validator()->validate(typed, position), QValidator::Acceptable)
            << field->objectName().toStdString();
    }
    int numberFields = 0;
    for (QLineEdit* field : w.findChildren<QLineEdit*>()) numberFields += field->validator() != nullptr;
    EXPECT_EQ(numberFields, 13);
}

// With the fonts of this machine, no caption of any language is cut off and
// no two controls side by side cover each other.
TEST_F(MainWindow, CaptionsFitAndNoControlsOverlap) {
    TFormTest& w = window();
    w.show();
    QStringList languages;
    for (int i = 0; i < w.language_selector->count(); ++i) languages << w.language_selector->itemText(i);
    ASSERT_GE(languages.size(), 4);
    for (const QString& language : languages) {
        SCOPED_TRACE(language.toStdString());
        w._loadLanguage(language.toStdString());
        for (QWidget* widget : w.findChildren<QWidget*>()) {
            if (widget->isHidden() || widget->objectName().isEmpty()) continue;
            const std::string name = widget->objectName().toStdString();
            auto* label = qobject_cast<QLabel*>(widget);
            if (label && label->wordWrap()) {
                EXPECT_LE(label->heightForWidth(label->width()), label->height()) << name;
            } else if (label || qobject_cast<QRadioButton*>(widget) || qobject_cast<QCheckBox*>(widget) ||
                       qobject_cast<QPushButton*>(widget)) {
                EXPECT_LE(widget->sizeHint().width(), widget->width()) << name;
            }
        }
        for (auto* box : w.findChildren<QGroupBox*>())
            EXPECT_LE(box->fontMetrics().horizontalAdvance(box->title()) + 16, box->width())
                << box->objectName().toStdString();
        const QTabBar* tabs = w.PageControl1->tabBar();
        for (int tab = 0; tab < tabs->count(); ++tab)
            EXPECT_LE(tabs->fontMetrics().horizontalAdvance(tabs->tabText(tab)) + 8, tabs->tabRect(tab).width())
                << tabs->tabText(tab).toStdString();
    }
    w._loadLanguage("English");
    // The selector and the settings button sit on the tab row, right of the last tab.
    const QRect lastTab = w.PageControl1->tabBar()->tabRect(w.PageControl1->count() - 1);
    const QRect tabRow(w.PageControl1->mapTo(&w, QPoint(0, 0)), QSize(1065, lastTab.height()));
    for (QWidget* widget : {static_cast<QWidget*>(w.language_selector), static_cast<QWidget*>(w.settingsButton)}) {
        const QRect place(widget->mapTo(&w, QPoint(0, 0)), widget->size());
        EXPECT_TRUE(tabRow.contains(place)) << widget->objectName().toStdString();
        EXPECT_GT(place.left(), tabRow.left() + lastTab.right());
    }
    for (QWidget* parent : w.findChildren<QWidget*>()) {
        QList<QWidget*> siblings;
        for (QObject* child : parent->children())
            if (auto* widget = qobject_cast<QWidget*>(child); widget && !widget->isHidden() &&
                                                               !widget->objectName().isEmpty() && !widget->isWindow())
                siblings << widget;
        for (int i = 0; i < siblings.size(); ++i) {
            for (int j = i + 1; j < siblings.size(); ++j) {
                const bool onTabRow = (siblings[i] == w.PageControl1 || siblings[j] == w.PageControl1) &&
                                      (siblings[i] == w.language_selector || siblings[j] == w.language_selector ||
                                       siblings[i] == w.settingsButton || siblings[j] == w.settingsButton);
                if (onTabRow) continue;  // checked above
                EXPECT_FALSE(siblings[i]->geometry().intersects(siblings[j]->geometry()))
                    << siblings[i]->objectName().toStdString() << " and " << siblings[j]->objectName().toStdString();
            }
        }
    }
}

// ---------------------------------------------------------------- adding files

TEST_F(MainWindow, AddButtonsFillTheListsAndTheOutputNames) {
    TFormTest& w = window();
    dialogs.openAnswers = {{dir.file("a.pdf"), dir.file("b.pdf")}, {dir.file("a.pdf"), dir.file("b.pdf"), dir.file("REPORT.PDF")}};
    w.splitBtnAddFileClick();
    EXPECT_EQ(fileColumn(w.SplitStringGrid), (std::vector<std::string>{"a.pdf"})) << "only the first chosen file";
    EXPECT_EQ(cell(w.SplitStringGrid, 1, 3), "4");
    EXPECT_EQ(w.split_base_filename->text().toStdString(), "a_");
    EXPECT_EQ(w.split_destination_folder->text().toStdString(), dir.folder());
    EXPECT_FALSE(w.splitBtnAddFile->isEnabled());

    w.mergeBtnAddFileClick();
    EXPECT_EQ(fileColumn(w.MergeStringGrid), (std::vector<std::string>{"a.pdf", "b.pdf", "REPORT.PDF"}));
    EXPECT_EQ(w.merge_destination_filename->text().toStdString(), dir.folder() + "output.pdf");

    addMix(dir.file("b.pdf"), dir.file("a.pdf"));
    EXPECT_EQ(fileColumn(w.MixStringGrid), (std::vector<std::string>{"b.pdf", "a.pdf"}));
    EXPECT_EQ(w.mix_base_filename->text().toStdString(), "b_");
    EXPECT_FALSE(w.mixBtnAddFile->isEnabled());

    w.mergeBtnAddFileClick();  // Cancel
    EXPECT_EQ(fileColumn(w.MergeStringGrid).size(), 3u);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MainWindow, DropAddsPdfFilesAndNamesEveryOtherFile) {
    TFormTest& w = window();
    w.PageControl1->setCurrentWidget(w.TabMerge);
    drop({dir.file("a.pdf"), dir.file("notes.txt"), dir.file("folder.pdf"), dir.file("missing.pdf"),
          dir.file("REPORT.PDF")});
    EXPECT_EQ(fileColumn(w.MergeStringGrid), (std::vector<std::string>{"a.pdf", "REPORT.PDF"}));
    EXPECT_EQ(dialogs.messages, (std::vector<std::string>{text("MsgErrExtension") + " " + dir.file("notes.txt")}));

    w.PageControl1->setCurrentWidget(w.TabSplit);
    drop({dir.file("b.pdf")});
    EXPECT_EQ(fileColumn(w.SplitStringGrid), (std::vector<std::string>{"b.pdf"}));
    w.PageControl1->setCurrentWidget(w.TabMix);
    drop({dir.file("b.pdf")});
    EXPECT_EQ(fileColumn(w.MixStringGrid), (std::vector<std::string>{"b.pdf"}));
}

// A full split or mix list disables its add button but not drops; the merge
// grid gains rows for every file and keeps them when files leave.
TEST_F(MainWindow, DropsPassDisabledAddButtonsAndTheMergeGridGrows) {
    TFormTest& w = window();
    dialogs.openAnswers = {{dir.file("a.pdf")}};
    w.splitBtnAddFileClick();
    w.PageControl1->setCurrentWidget(w.TabSplit);
    drop({dir.file("b.pdf")});
    EXPECT_EQ(fileColumn(w.SplitStringGrid), (std::vector<std::string>{"b.pdf"}));
    EXPECT_EQ(w.split_base_filename->text(), "b_");
    EXPECT_FALSE(w.splitBtnAddFile->isEnabled());

    addMix(dir.file("a.pdf"), dir.file("b.pdf"));
    w.PageControl1->setCurrentWidget(w.TabMix);
    drop({dir.file("REPORT.PDF")});
    EXPECT_EQ(fileColumn(w.MixStringGrid), (std::vector<std::string>{"a.pdf", "b.pdf"})) << "two documents at most";

    dialogs.openAnswers = {std::vector<std::string>(9, dir.file("a.pdf"))};
    w.mergeBtnAddFileClick();
    ASSERT_EQ(fileColumn(w.MergeStringGrid).size(), 9u);
    EXPECT_GE(w.MergeStringGrid->rowCount(), 9);
    EXPECT_EQ(cell(w.MergeStringGrid, 9, 0), "9");
    const int rows = w.MergeStringGrid->rowCount();
    w.MergeStringGrid->setCurrentCell(0, 1);
    w.mergeBtnRemoveFile->click();
    EXPECT_EQ(fileColumn(w.MergeStringGrid).size(), 8u);
    EXPECT_EQ(w.MergeStringGrid->rowCount(), rows);
    EXPECT_EQ(cell(w.MergeStringGrid, 9, 0), "");
}

TEST_F(MainWindow, DropOnTheAboutTabTakesNothingAndSaysSoOnce) {
    TFormTest& w = window();
    w.PageControl1->setCurrentWidget(w.TabAbout);
    drop({dir.file("a.pdf"), dir.file("b.pdf"), dir.file("notes.txt")});
    EXPECT_EQ(dialogs.messages, (std::vector<std::string>{text("MsgErrTab")}));
    EXPECT_FALSE(text("MsgErrTab").empty());
    for (QTableWidget* grid : {w.SplitStringGrid, w.MergeStringGrid, w.MixStringGrid})
        EXPECT_TRUE(fileColumn(grid).empty());
}

// ---------------------------------------------------------------- browse buttons

TEST_F(MainWindow, FolderBrowseSelectsANewFolderThatLaterAddsKeep) {
    TFormTest& w = window();
    struct Tab {
        QPushButton* browse;
        QLineEdit* folder;
        QRadioButton* other;
        std::function<void()> add;
    };
    const Tab tabs[] = {
        {w.cmd_split_dest, w.split_destination_folder, w.split_dest_other,
         [&] { dialogs.openAnswers = {{dir.file("a.pdf")}}; w.splitBtnAddFileClick(); }},
        {w.cmd_mix_dest, w.mix_destination_folder, w.mix_dest_other,
         [&] { dialogs.openAnswers = {{dir.file("a.pdf")}}; w.mixBtnAddFileClick(); }},
    };
    for (const Tab& tab : tabs) {
        SCOPED_TRACE(tab.browse->objectName().toStdString());
        dialogs.folderStarts.clear();
        dialogs.folderAnswers = {dir.file("out"), ""};
        tab.browse->click();
        EXPECT_EQ(tab.folder->text().toStdString(), dir.file("out") + "/");
        EXPECT_TRUE(tab.other->isChecked());
        tab.add();
        EXPECT_EQ(tab.folder->text().toStdString(), dir.file("out") + "/") << "the chosen folder stays";

        tab.browse->click();  // Cancel
        EXPECT_EQ(tab.folder->text().toStdString(), dir.file("out") + "/");
        EXPECT_EQ(dialogs.folderStarts,
                  (std::vector<std::string>{QDir::currentPath().toStdString(), dir.file("out") + "/"}));

        tab.folder->setText(QString::fromStdString(dir.file("gone") + "/"));
        tab.browse->click();
        EXPECT_EQ(dialogs.folderStarts.back(), "") << "a start folder that does not exist is dropped";
    }
}

TEST_F(MainWindow, MergeBrowseProposesOutputPdfFirstThenTheLastChoice) {
    TFormTest& w = window();
    dialogs.saveAnswers = {dir.file("joined.pdf"), "", dir.file("again.pdf")};
    w.cmd_merge_dest->click();
    EXPECT_EQ(w.merge_destination_filename->text().toStdString(), dir.file("joined.pdf"));
    w.cmd_merge_dest->click();  // Cancel
    EXPECT_EQ(w.merge_destination_filename->text().toStdString(), dir.file("joined.pdf"));
    w.cmd_merge_dest->click();
    EXPECT_EQ(w.merge_destination_filename->text().toStdString(), dir.file("again.pdf"));
    EXPECT_EQ(dialogs.saveProposals,
              (std::vector<std::string>{"output.pdf", dir.file("joined.pdf"), dir.file("joined.pdf")}));

    dialogs.openAnswers = {{dir.file("a.pdf")}};
    w.mergeBtnAddFileClick();
    EXPECT_EQ(w.merge_destination_filename->text().toStdString(), dir.file("again.pdf")) << "adds keep a chosen name";
}

// ---------------------------------------------------------------- Split tab change handlers

TEST_F(MainWindow, TypingIntoASplitFieldSelectsItsMethod) {
    TFormTest& w = window();
    const std::pair<QLineEdit*, QRadioButton*> cases[] = {
        {w.split_method3_input2, w.r_split_method3}, {w.split_method2_input1, w.r_split_method2},
        {w.split_method4_input1, w.r_split_method4}, {w.split_method1_input1, w.r_split_method1},
        {w.split_method3_input1, w.r_split_method3}, {w.split_method4_input2, w.r_split_method4},
    };
    for (const auto& [field, method] : cases) {
        field->setText("7");
        EXPECT_TRUE(method->isChecked()) << field->objectName().toStdString();
    }
    w.split_method1_input1->clear();
    EXPECT_TRUE(w.r_split_method4->isChecked()) << "an emptied field changes nothing";
    w.mix_doc2_method2_input1->setText("5");
    EXPECT_TRUE(w.r_mix2_method1->isChecked()) << "the Mix fields select nothing";
}

// ---------------------------------------------------------------- start checks

TEST_F(MainWindow, RunButtonsCheckTheirListAndFolderFirst) {
    TFormTest& w = window();
    const std::string noFolder = "You did not enter a valid destination folder!";
    w.cmd_split_run->click();
    w.cmd_mix_run->click();
    w.cmd_merge->click();
    EXPECT_EQ(dialogs.messages, (std::vector<std::string>{text("MsgSplitAddFile"), text("MsgErrMixAdd2files"),
                                                           text("MsgErrAdd2files")}));

    dialogs.messages.clear();
    w.split_dest_other->setChecked(true);
    w.mix_dest_other->setChecked(true);
    dialogs.openAnswers = {{dir.file("a.pdf")}};
    w.splitBtnAddFileClick();
    addMix(dir.file("a.pdf"), dir.file("b.pdf"));
    w.cmd_split_run->click();
    w.cmd_mix_run->click();
    EXPECT_EQ(dialogs.messages, (std::vector<std::string>{noFolder, noFolder}));
    EXPECT_EQ(fixtures::filesIn(dir.path()).size(), 6u) << "nothing written";
}

// ---------------------------------------------------------------- the jobs from the window

TEST_F(MainWindow, SplitWritesNumberedFinishedFiles) {
    TFormTest& w = window();
    dialogs.openAnswers = {{dir.file("a.pdf")}};
    w.splitBtnAddFileClick();
    w.split_method3_input1->setText("2");
    w.split_method3_input2->setText("2");
    w.split_base_filename->setText("part_");
    w.cmd_split_run->click();
    EXPECT_EQ(fixtures::markerText(dir.file("part_1.pdf")), "A2 A3");
    EXPECT_EQ(fixtures::markerText(dir.file("part_2.pdf")), "A4");
    EXPECT_FALSE(fixtures::fileExists(dir.file("part_3.pdf")));
    EXPECT_EQ(dialogs.messages, (std::vector<std::string>{text("MsgSplitDone")}));
    EXPECT_TRUE(w.ProgressBarSplit->isHidden());
}

TEST_F(MainWindow, MergeJoinsTheListWithTheStoredProtection) {
    Settings().setOutputPassword("secret");
    TFormTest& w = window();
    Settings().setOutputPassword("");
    EXPECT_EQ(w._protection.outputPassword, "secret");
    EXPECT_EQ(w.settingsButton->icon().cacheKey(), w.glyphLocked->icon().cacheKey());

    dialogs.openAnswers = {{dir.file("b.pdf"), dir.file("a.pdf")}};
    w.mergeBtnAddFileClick();
    w.cmd_merge->click();
    const std::string output = dir.file("output.pdf");
    EXPECT_EQ(fixtures::markerText(output, "secret"), "B1 B2 B3 A1 A2 A3 A4");
    EXPECT_ANY_THROW(fixtures::markerText(output)) << "the output password was applied";
    EXPECT_EQ(dialogs.messages, (std::vector<std::string>{text("MsgMergeDone") + " (total pages: 7)"}));

    QPDF pdf;
    pdf.processFile(output.c_str(), "secret");
    EXPECT_NE(pdf.getTrailer().getKey("/Info").getKey("/Creator").getUTF8Value().find("Splimera"), std::string::npos);
}

TEST_F(MainWindow, TheBookmarkChoiceOfMergeAndMixReachesTheJob) {
    TFormTest& w = window();
    dialogs.openAnswers = {{dir.file("b.pdf"), dir.file("a.pdf")}};
    w.mergeBtnAddFileClick();
    w.mergeBookmarks.perFile->setChecked(true);
    w.cmd_merge->click();
    EXPECT_EQ(fixtures::bookmarkTitles(dir.file("output.pdf")), "b a");

    addMix(dir.file("a.pdf"), dir.file("b.pdf"));
    w.mix_single_file->setChecked(true);
    w.mixBookmarks.perFile->setChecked(true);
    w.cmd_mix_run->click();
    EXPECT_EQ(fixtures::bookmarkTitles(dir.file("a_mixed.pdf")), "a b");
    EXPECT_TRUE(w.mix_dest_source->isChecked());
}

TEST_F(MainWindow, MixTakesTurnsWithTheChosenOptions) {
    TFormTest& w = window();
    fixtures::writeMarkedPdf(dir.file("fronts.pdf"), "F", 3);
    fixtures::writeMarkedPdf(dir.file("backs.pdf"), "K", 3);
    addMix(dir.file("fronts.pdf"), dir.file("backs.pdf"));
    w.mix_doc1_method1_input1->setText("1");
    w.mix_doc2_method1_input1->setText("1");
    w.cmd_mix_run->click();
    EXPECT_EQ(fixtures::markerText(dir.file("fronts_1.pdf")), "F1 K1");
    EXPECT_EQ(fixtures::markerText(dir.file("fronts_3.pdf")), "F3 K3");
    EXPECT_EQ(dialogs.messages, (std::vector<std::string>{text("MsgMixDone")}));

    w.mix_reverse_second->setChecked(true);
    w.mix_single_file->setChecked(true);
    w.cmd_mix_run->click();
    EXPECT_EQ(fixtures::markerText(dir.file("fronts_mixed.pdf")), "F1 K3 F2 K2 F3 K1");
    EXPECT_TRUE(w.ProgressBarMix->isHidden());
}

TEST_F(MainWindow, AnErrorEndingAJobIsShownAndTheNextJobRuns) {
    TFormTest& w = window();
    dialogs.openAnswers = {{dir.file("a.pdf"), dir.file("b.pdf")}};
    w.mergeBtnAddFileClick();
    std::filesystem::rename(dir.file("b.pdf"), dir.file("b-moved.pdf"));
    w.cmd_merge->click();
    ASSERT_EQ(dialogs.messages.size(), 1u) << "the error, and no completion message";
    EXPECT_EQ(dialogs.messages[0].back(), '.');
    EXPECT_FALSE(fixtures::fileExists(dir.file("output.pdf")));

    std::filesystem::rename(dir.file("b-moved.pdf"), dir.file("b.pdf"));
    w.cmd_merge->click();
    EXPECT_EQ(fixtures::markerText(dir.file("output.pdf")), "A1 A2 A3 A4 B1 B2 B3");
}

// Input that reaches the window while a job runs is dropped: it neither runs
// a second job inside the first nor acts once the job has returned.
TEST_F(MainWindow, InputDuringAJobIsDropped) {
    TFormTest& w = window();
    dialogs.openAnswers = {{dir.file("a.pdf")}};
    w.splitBtnAddFileClick();
    w.show();
    ASSERT_TRUE(dialogs.messages.empty());
    const std::pair<const char*, std::function<void()>> inputs[] = {
        {"a click on the run button", [&] { QTest::mouseClick(w.cmd_split_run, Qt::LeftButton); }},
        {"the space key on the run button",
         [&] {
             w.cmd_split_run->setFocus();
             QTest::keyClick(w.cmd_split_run, Qt::Key_Space);
         }},
        {"a PDF dropped on the window",
         [&] {
             QMimeData data;
             data.setUrls({QUrl::fromLocalFile(QString::fromStdString(dir.file("b.pdf")))});
             QDragEnterEvent enter(QPoint(500, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
             QCoreApplication::sendEvent(&w, &enter);
             QDropEvent drop(QPointF(500, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
             QCoreApplication::sendEvent(&w, &drop);
         }},
        {"a request to close the window",
         [&] {
             QCloseEvent close;
             QCoreApplication::sendEvent(&w, &close);
         }},
    };
    // The split's outputs, which each run writes anew.
    const auto splitOutputs = [&] {
        std::vector<std::string> names;
        for (const std::string& name : fixtures::filesIn(dir.path()))
            if (name.rfind("a_", 0) == 0) names.push_back(name);
        return names;
    };
    const auto removeSplitOutputs = [&] {
        for (const std::string& name : splitOutputs()) std::filesystem::remove(dir.file(name));
    };
    const std::vector<std::string> onePerPage{"a_1.pdf", "a_2.pdf", "a_3.pdf", "a_4.pdf"};
    for (const auto& [input, send] : inputs) {
        SCOPED_TRACE(input);
        dialogs.messages.clear();
        removeSplitOutputs();
        QTimer::singleShot(0, &w, send);  // fires while the job lets the window repaint
        w.cmd_split_run->click();
        QCoreApplication::processEvents();
        EXPECT_EQ(splitOutputs(), onePerPage) << "one split of the four pages";
        EXPECT_EQ(dialogs.messages.size(), 1u) << "the completion message only";
        EXPECT_EQ(fileColumn(w.SplitStringGrid), std::vector<std::string>{"a.pdf"});
        EXPECT_TRUE(w.isVisible());
    }

    // Once the job has returned, the window takes input again.
    removeSplitOutputs();
    QTest::mouseClick(w.cmd_split_run, Qt::LeftButton);
    EXPECT_EQ(splitOutputs(), onePerPage);
}

// ---------------------------------------------------------------- languages and links

TEST_F(MainWindow, PickingALanguageStoresItAndChangesTheCaptions) {
    TFormTest& w = window();
    const int german = w.language_selector->findText("German");
    ASSERT_GE(german, 0);
    w.language_selector->setCurrentIndex(german);
    w.language_selectorChange();
    EXPECT_EQ(Settings().language(), "German");
    EXPECT_NE(w.cmd_split_run->text(), "Split this PDF!");
    EXPECT_EQ(w.label_app_name->text(), "Splimera 1.0.0.0");
    EXPECT_TRUE(w.language_selector->isEnabled());

    const int english = w.language_selector->findText("English");
    w.language_selector->setCurrentIndex(english);
    w.language_selectorChange();
    EXPECT_EQ(w.cmd_split_run->text(), "Split this PDF!");
}

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

TEST_F(MainWindow, LinkClicksOpenTheirAddress) {
    TFormTest& w = window();
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("https", &catcher, "open");
    emit w.link_website->linkActivated("https://example.org/site");
    emit w.LinkLabel1->linkActivated("https://example.org/help");
    QDesktopServices::unsetUrlHandler("https");
    EXPECT_EQ(catcher.opened, (QList<QUrl>{QUrl("https://example.org/site"), QUrl("https://example.org/help")}));
    EXPECT_TRUE(w.link_website->text().contains("<a href="));
}

}  // namespace

#include "main_window_test.moc"
