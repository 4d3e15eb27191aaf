#include <gtest/gtest.h>

#include <QStyledItemDelegate>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QDropEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QSignalSpy>
#include <QThread>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <algorithm>
#include <atomic>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <qpdf/QPDF.hh>

#include "qt_application.h"
#include "settings/settings.h"
#include "support/fixtures.h"
#include "support/private_config.h"
#include "support/scripted_dialogs.h"
#include "ui/file_grid.h"
#include "ui/main_window.h"
#include "ui/split_tab.h"
#include "window_controls.h"

namespace {

using fixtures::TempDir;

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

// Scripted dialogs that can run something (a job to its end, say) while a
// question is open.
class WindowDialogs : public ScriptedDialogs {
public:
    std::function<void()> whileAsking;
    bool ask(const std::string& question) override {
        if (whileAsking) whileAsking();
        return ScriptedDialogs::ask(question);
    }
};

class MainWindowTest : public ::testing::Test {
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
    // A window a test closed remembers its place; the next test opens at the first.
    void TearDown() override { Settings().write("windowGeometry", ""); }
    MainWindow& window() {
        if (!window_) window_ = std::make_unique<MainWindow>(dialogs);
        return *window_;
    }
    std::string text(const char* key) { return window().translation(key); }
    // The text of a grid's cell, row 1 the first file.
    std::string cell(QTableView* grid, int row, int column) {
        return grid->model()->index(row - 1, column).data().toString().toStdString();
    }
    std::vector<std::string> fileColumn(QTableView* grid) {
        std::vector<std::string> names;
        for (int row = 1; row <= grid->model()->rowCount(); ++row) names.push_back(cell(grid, row, 1));
        return names;
    }
    static QString header(QTableView* grid, int column) {
        return grid->model()->headerData(column, Qt::Horizontal).toString();
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
    // Lets the window lay out and repaint what changed.
    static void settle() {
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    }
    // Shows the tab that holds the named control, laid out.
    static void showTabOf(MainWindow& w, const char* name) {
        auto* tabs = control<QTabWidget>(w, "PageControl1");
        QWidget* widget = control(w, name);
        for (int tab = 0; tab < tabs->count(); ++tab)
            if (tabs->widget(tab)->isAncestorOf(widget)) tabs->setCurrentIndex(tab);
        settle();
    }
    // On every tab: no caption cut off, no two controls side by side on each other.
    static void checkEveryTabFits(MainWindow& w) {
        auto* tabs = control<QTabWidget>(w, "PageControl1");
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            settle();
            QWidget* page = tabs->widget(tab);
            for (QWidget* widget : page->findChildren<QWidget*>()) {
                if (widget->isHidden() || widget->objectName().isEmpty()) continue;
                const std::string name = widget->objectName().toStdString();
                auto* label = qobject_cast<QLabel*>(widget);
                if (label && label->wordWrap()) {
                    EXPECT_LE(label->heightForWidth(label->width()), label->height()) << name;
                } else if (label || qobject_cast<QRadioButton*>(widget) || qobject_cast<QCheckBox*>(widget) ||
                           qobject_cast<QPushButton*>(widget)) {
                    EXPECT_LE(widget->sizeHint().width(), widget->width()) << name;
                }
                if (auto* box = qobject_cast<QGroupBox*>(widget)) {
                    EXPECT_LE(box->fontMetrics().horizontalAdvance(box->title()) + 16, box->width()) << name;
                }
            }
            for (QWidget* parent : page->findChildren<QWidget*>()) {
                QList<QWidget*> siblings;
                for (QObject* child : parent->children())
                    if (auto* widget = qobject_cast<QWidget*>(child);
                        widget && !widget->isHidden() && !widget->objectName().isEmpty() && !widget->isWindow())
                        siblings << widget;
                for (int i = 0; i < siblings.size(); ++i)
                    for (int j = i + 1; j < siblings.size(); ++j)
                        EXPECT_FALSE(siblings[i]->geometry().intersects(siblings[j]->geometry()))
                            << siblings[i]->objectName().toStdString() << " and "
                            << siblings[j]->objectName().toStdString();
            }
        }
        const QTabBar* bar = tabs->tabBar();
        for (int tab = 0; tab < bar->count(); ++tab)
            EXPECT_LE(bar->fontMetrics().horizontalAdvance(bar->tabText(tab)) + 8, bar->tabRect(tab).width())
                << bar->tabText(tab).toStdString();
    }
    // Whether this machine has a font for the script of the language with this
    // code; without one, its captions would be measured in boxes.
    static bool hasFontFor(const QString& languageCode) {
        static const std::map<QString, QFontDatabase::WritingSystem> ownScripts = {
            {"ar", QFontDatabase::Arabic}, {"ja", QFontDatabase::Japanese},
            {"ko", QFontDatabase::Korean}, {"zh_CN", QFontDatabase::SimplifiedChinese}};
        const auto script = ownScripts.find(languageCode);
        return script == ownScripts.end() || !QFontDatabase::families(script->second).isEmpty();
    }
    // Clicks a run button and waits until the job it starts has ended.
    void run(const char* runButton) {
        QSignalSpy finished(&window(), &MainWindow::jobFinished);
        control<QPushButton>(window(), runButton)->click();
        if (window().isJobRunning()) {
            ASSERT_TRUE(finished.wait(60000)) << "the job never ended";
        }
    }
    void addMix(const std::string& first, const std::string& second) {
        dialogs.openAnswers = {{first}, {second}};
        control<QToolButton>(window(), "mixBtnAddFile")->click();
        control<QToolButton>(window(), "mixBtnAddFile")->click();
    }

    TempDir dir;
    WindowDialogs dialogs;
    std::unique_ptr<MainWindow> window_;
};

// ---------------------------------------------------------------- the window as it opens

TEST_F(MainWindowTest, OpensOnTheSplitTabUnlessTheCommandLineChoseAnother) {
    MainWindow& w = window();
    w.showTab(WindowTab::Mix);
    w.show();
    EXPECT_EQ(control<QTabWidget>(w, "PageControl1")->currentWidget(), control<QWidget>(w, "TabSplit"));
    EXPECT_TRUE(dialogs.messages.empty()) << "testFile.pdf beside the program opens: " << dialogs.messages.front();
    EXPECT_EQ(w.windowTitle(), "Splimera");
    EXPECT_EQ(control<QLabel>(w, "label_app_name")->text().toStdString(), "Splimera " + std::string("1.0.0.0"));
    w.hide();

    w.openOnTab(WindowTab::Merge);
    w.show();
    EXPECT_EQ(control<QTabWidget>(w, "PageControl1")->currentWidget(), control<QWidget>(w, "TabMerge"));
}

TEST_F(MainWindowTest, OpensWithTheDesignedSizesAndDefaults) {
    MainWindow& w = window();
    EXPECT_EQ(w.size(), QSize(1100, 575));
    w.show();
    settle();
    // The test screen is smaller than the window: it opens as small as it can, from the screen's corner.
    const QRect screen = w.screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(w.frameGeometry().topLeft()));
    EXPECT_EQ(w.width(), std::max(screen.width(), w.minimumSizeHint().width()));
    w.resize(1100, 575);
    settle();
    EXPECT_LT(w.minimumSize().width(), w.maximumSize().width()) << "resizable";
    EXPECT_FALSE(w.windowIcon().isNull());
    EXPECT_EQ(control<QTabWidget>(w, "PageControl1")->geometry(), QRect(17, 24, 1065, 497));
    EXPECT_EQ(control<QToolButton>(w, "settingsButton")->size(), QSize(32, 32));
    EXPECT_EQ(control<QComboBox>(w, "language_selector")->width(), 152);
    EXPECT_EQ(control<QStatusBar>(w, "StatusBar1")->height(), 37);
    EXPECT_EQ(control<QTabWidget>(w, "PageControl1")->tabText(0), "Split");

    const std::pair<const char*, int> grids[] = {{"SplitStringGrid", 80}, {"MergeStringGrid", 205}, {"MixStringGrid", 80}};
    for (const auto& [name, height] : grids) {
        SCOPED_TRACE(name);
        showTabOf(w, name);
        auto* grid = control<QTableView>(w, name);
        EXPECT_NEAR(grid->width(), 969, 4);
        EXPECT_GE(grid->height(), height);
        const int widths[] = {51, 399, 332, 73, 78};
        for (int column : {0, 1, 3, 4}) EXPECT_EQ(grid->columnWidth(column), widths[column]);
        // The path column takes the rest; in the merge grid, shared with the pages to merge.
        const int besidePath = grid->model()->columnCount() > 5 ? grid->columnWidth(5) : 0;
        EXPECT_GE(grid->columnWidth(2) + besidePath, widths[2]);
        EXPECT_EQ(header(grid, 0), "#");
        EXPECT_EQ(header(grid, 1), "Filename");
    }
    for (const char* name : {"cmd_split_run", "cmd_merge", "cmd_mix_run"}) {
        showTabOf(w, name);
        EXPECT_EQ(control<QPushButton>(w, name)->size(), QSize(158, 36)) << name;
    }
    for (QProgressBar* bar : {control<QProgressBar>(w, "ProgressBarSplit"), control<QProgressBar>(w, "ProgressBar2"), control<QProgressBar>(w, "ProgressBarMix")}) {
        EXPECT_TRUE(bar->isHidden());
        EXPECT_EQ(bar->maximum(), 100);
    }
    EXPECT_TRUE(control<QRadioButton>(w, "r_split_method1")->isChecked());
    EXPECT_TRUE(control<QRadioButton>(w, "split_dest_source")->isChecked());
    EXPECT_TRUE(control<QRadioButton>(w, "r_mix1_method1")->isChecked());
    EXPECT_TRUE(control<QRadioButton>(w, "r_mix2_method1")->isChecked());
    EXPECT_FALSE(control<QCheckBox>(w, "mix_reverse_second")->isChecked());
    EXPECT_FALSE(control<QCheckBox>(w, "mix_single_file")->isChecked());
    EXPECT_TRUE(control<QRadioButton>(w, "merge_bookmarks_keep")->isChecked());
    EXPECT_FALSE(control<QCheckBox>(w, "merge_pad_odd")->isChecked());
    EXPECT_TRUE(control<QRadioButton>(w, "mix_bookmarks_keep")->isChecked());
    EXPECT_TRUE(control<QRadioButton>(w, "mix_dest_source")->isChecked()) << "the bookmark choice is apart from the destination choice";
    EXPECT_EQ(control<QLineEdit>(w, "split_base_filename")->text(), "filename");
    EXPECT_TRUE(control<QLineEdit>(w, "split_destination_folder")->isReadOnly());
    EXPECT_TRUE(control<QLineEdit>(w, "merge_destination_filename")->isReadOnly());
    EXPECT_TRUE(control<QToolButton>(w, "glyphLocked")->isHidden());
    EXPECT_FALSE(control<QLabel>(w, "appIcon")->pixmap().isNull());
    for (const char* name : {"splitBtnRemoveFile", "mergeBtnRemoveFile", "mixBtnRemoveFile", "mergeBtnMoveUp"})
        EXPECT_FALSE(control<QToolButton>(w, name)->isEnabled()) << name << " on an empty list";

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
    EXPECT_EQ(numberFields, 15);
}

// With the fonts of this machine, no caption of any language is cut off and
// no two controls side by side cover each other, at the size the window
// opens with.
TEST_F(MainWindowTest, CaptionsFitAndNoControlsOverlap) {
    MainWindow& w = window();
    w.show();
    QStringList languages;
    for (int i = 0; i < control<QComboBox>(w, "language_selector")->count(); ++i) languages << control<QComboBox>(w, "language_selector")->itemData(i).toString();
    ASSERT_GE(languages.size(), 16);
    for (const QString& language : languages) {
        SCOPED_TRACE(language.toStdString());
        w.loadLanguage(language.toStdString());
        const QString code = QString::fromStdString(w.translation("LanguageCode"));
        if (!hasFontFor(code)) {
            std::cout << "No font for the script of " << language.toStdString() << ": its captions are not measured\n";
            continue;
        }
        checkEveryTabFits(w);
    }
    w.loadLanguage("English");
    // The selector and the settings button sit on the tab row, right of the last tab.
    auto* tabs = control<QTabWidget>(w, "PageControl1");
    const QRect lastTab = tabs->tabBar()->tabRect(tabs->count() - 1);
    const QRect tabRow(tabs->mapTo(&w, QPoint(0, 0)), QSize(tabs->width(), lastTab.height()));
    for (QWidget* widget : {static_cast<QWidget*>(control<QComboBox>(w, "language_selector")), static_cast<QWidget*>(control<QToolButton>(w, "settingsButton"))}) {
        const QRect place(widget->mapTo(&w, QPoint(0, 0)), widget->size());
        EXPECT_TRUE(tabRow.contains(place)) << widget->objectName().toStdString();
        EXPECT_GT(place.left(), tabRow.left() + lastTab.right());
    }
}

// The lists take what a larger window gives; the smallest window fits a
// 1024 x 768 screen with its captions whole, in every language.
TEST_F(MainWindowTest, TheWindowResizesAndItsListsGrowWithIt) {
    MainWindow& w = window();
    w.show();
    settle();
    w.resize(1100, 575);
    std::map<std::string, QSize> before;
    const char* grids[] = {"SplitStringGrid", "MergeStringGrid", "MixStringGrid"};
    for (const char* name : grids) {
        showTabOf(w, name);
        before[name] = control<QTableView>(w, name)->size();
    }
    w.resize(1500, 900);
    for (const char* name : grids) {
        showTabOf(w, name);
        const QSize after = control<QTableView>(w, name)->size();
        EXPECT_EQ(after.width(), before[name].width() + 400) << name;
        if (std::string(name) == "MergeStringGrid") {
            EXPECT_EQ(after.height(), before[name].height() + 325);
        }
    }

    // In every language.
    auto* selector = control<QComboBox>(w, "language_selector");
    for (int i = 0; i < selector->count(); ++i) {
        const std::string language = selector->itemData(i).toString().toStdString();
        SCOPED_TRACE(language);
        w.loadLanguage(language);
        if (!hasFontFor(QString::fromStdString(w.translation("LanguageCode")))) continue;
        // A hidden tab keeps the least size of its last showing: show each once.
        for (const char* onTab : {"SplitStringGrid", "MergeStringGrid", "MixStringGrid", "link_website"}) showTabOf(w, onTab);
        const QSize smallest = w.minimumSizeHint().expandedTo(w.minimumSize());
        // Room for a window frame and a desktop panel.
        EXPECT_LE(smallest.width(), 1024 - 16);
        EXPECT_LE(smallest.height(), 768 - 100);
        w.resize(smallest);
        checkEveryTabFits(w);
    }
    w.loadLanguage("English");
}

// ---------------------------------------------------------------- adding files

TEST_F(MainWindowTest, AddButtonsFillTheListsAndTheOutputNames) {
    MainWindow& w = window();
    dialogs.openAnswers = {{dir.file("a.pdf"), dir.file("b.pdf")}, {dir.file("a.pdf"), dir.file("b.pdf"), dir.file("REPORT.PDF")}};
    control<QToolButton>(w, "splitBtnAddFile")->click();
    EXPECT_EQ(fileColumn(control<QTableView>(w, "SplitStringGrid")), (std::vector<std::string>{"a.pdf"})) << "only the first chosen file";
    EXPECT_EQ(cell(control<QTableView>(w, "SplitStringGrid"), 1, 3), "4");
    EXPECT_EQ(control<QLineEdit>(w, "split_base_filename")->text().toStdString(), "a_");
    EXPECT_EQ(control<QLineEdit>(w, "split_destination_folder")->text().toStdString(), dir.folder());
    EXPECT_FALSE(control<QToolButton>(w, "splitBtnAddFile")->isEnabled());

    control<QToolButton>(w, "mergeBtnAddFile")->click();
    EXPECT_EQ(fileColumn(control<QTableView>(w, "MergeStringGrid")), (std::vector<std::string>{"a.pdf", "b.pdf", "REPORT.PDF"}));
    EXPECT_EQ(control<QLineEdit>(w, "merge_destination_filename")->text().toStdString(), dir.folder() + "output.pdf");

    addMix(dir.file("b.pdf"), dir.file("a.pdf"));
    EXPECT_EQ(fileColumn(control<QTableView>(w, "MixStringGrid")), (std::vector<std::string>{"b.pdf", "a.pdf"}));
    EXPECT_EQ(control<QLineEdit>(w, "mix_base_filename")->text().toStdString(), "b_");
    EXPECT_FALSE(control<QToolButton>(w, "mixBtnAddFile")->isEnabled());

    control<QToolButton>(w, "mergeBtnAddFile")->click();  // Cancel
    EXPECT_EQ(fileColumn(control<QTableView>(w, "MergeStringGrid")).size(), 3u);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"The split takes one file. Kept: a.pdf"});
}

TEST_F(MainWindowTest, DropAddsPdfFilesAndNamesEveryOtherFile) {
    MainWindow& w = window();
    w.showTab(WindowTab::Merge);
    drop({dir.file("a.pdf"), dir.file("notes.txt"), dir.file("folder.pdf"), dir.file("missing.pdf"),
          dir.file("REPORT.PDF")});
    EXPECT_EQ(fileColumn(control<QTableView>(w, "MergeStringGrid")), (std::vector<std::string>{"a.pdf", "REPORT.PDF"}));
    EXPECT_EQ(dialogs.messages, (std::vector<std::string>{text("MsgErrExtension") + " " + dir.file("notes.txt")}));

    w.showTab(WindowTab::Split);
    drop({dir.file("b.pdf")});
    EXPECT_EQ(fileColumn(control<QTableView>(w, "SplitStringGrid")), (std::vector<std::string>{"b.pdf"}));
    w.showTab(WindowTab::Mix);
    drop({dir.file("b.pdf")});
    EXPECT_EQ(fileColumn(control<QTableView>(w, "MixStringGrid")), (std::vector<std::string>{"b.pdf"}));
}

// A full split or mix list disables its add button but not drops; the merge
// grid has a row for every file, numbered, and loses it when the file leaves.
TEST_F(MainWindowTest, DropsPassDisabledAddButtonsAndTheMergeGridGrows) {
    MainWindow& w = window();
    dialogs.openAnswers = {{dir.file("a.pdf")}};
    control<QToolButton>(w, "splitBtnAddFile")->click();
    w.showTab(WindowTab::Split);
    drop({dir.file("b.pdf")});
    EXPECT_EQ(fileColumn(control<QTableView>(w, "SplitStringGrid")), (std::vector<std::string>{"b.pdf"}));
    EXPECT_EQ(control<QLineEdit>(w, "split_base_filename")->text(), "b_");
    EXPECT_FALSE(control<QToolButton>(w, "splitBtnAddFile")->isEnabled());

    addMix(dir.file("a.pdf"), dir.file("b.pdf"));
    w.showTab(WindowTab::Mix);
    drop({dir.file("REPORT.PDF")});
    EXPECT_EQ(fileColumn(control<QTableView>(w, "MixStringGrid")), (std::vector<std::string>{"a.pdf", "b.pdf"})) << "two documents at most";

    dialogs.openAnswers = {std::vector<std::string>(9, dir.file("a.pdf"))};
    control<QToolButton>(w, "mergeBtnAddFile")->click();
    ASSERT_EQ(fileColumn(control<QTableView>(w, "MergeStringGrid")).size(), 9u);
    EXPECT_EQ(cell(control<QTableView>(w, "MergeStringGrid"), 9, 0), "9");
    control<FileGrid>(w, "MergeStringGrid")->setCurrentCell(0, 1);
    control<QToolButton>(w, "mergeBtnRemoveFile")->click();
    EXPECT_EQ(fileColumn(control<QTableView>(w, "MergeStringGrid")).size(), 8u);
    EXPECT_EQ(cell(control<QTableView>(w, "MergeStringGrid"), 8, 0), "8");
    EXPECT_EQ(cell(control<QTableView>(w, "MergeStringGrid"), 9, 0), "");
}

// Merge rows go where they are dragged; Delete takes the selected rows away.
// Rows move by dragging and with Ctrl+Up and Ctrl+Down, and Delete removes them.
TEST_F(MainWindowTest, MergeRowsAreDraggedMovedWithKeysAndDeleted) {
    MainWindow& w = window();
    fixtures::writeMarkedPdf(dir.file("c.pdf"), "C", 2);
    dialogs.openAnswers = {{dir.file("a.pdf"), dir.file("b.pdf"), dir.file("c.pdf"), dir.file("REPORT.PDF")}};
    control<QToolButton>(w, "mergeBtnAddFile")->click();
    w.show();
    w.showTab(WindowTab::Merge);
    settle();
    auto* grid = control<FileGrid>(w, "MergeStringGrid");
    const auto dragRow = [&](int from, int to) {
        std::unique_ptr<QMimeData> data(FileGrid::rowData(from));
        const QPoint at = grid->visualRect(grid->model()->index(to, 1)).center();
        QDragEnterEvent enter(at, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(grid->viewport(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(at, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(grid->viewport(), &drop);
    };
    dragRow(0, 2);
    EXPECT_EQ(fileColumn(grid), (std::vector<std::string>{"b.pdf", "c.pdf", "a.pdf", "REPORT.PDF"}));
    dragRow(3, 0);
    EXPECT_EQ(fileColumn(grid), (std::vector<std::string>{"REPORT.PDF", "b.pdf", "c.pdf", "a.pdf"}));
    EXPECT_EQ(cell(grid, 1, 0), "1");

    grid->selectRow(1);
    QTest::keyClick(grid, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(fileColumn(grid), (std::vector<std::string>{"REPORT.PDF", "c.pdf", "b.pdf", "a.pdf"}));
    for (int i = 0; i < 3; ++i) QTest::keyClick(grid, Qt::Key_Up, Qt::ControlModifier);  // the last one at the top
    EXPECT_EQ(fileColumn(grid), (std::vector<std::string>{"b.pdf", "REPORT.PDF", "c.pdf", "a.pdf"}));
    EXPECT_EQ(grid->currentRow(), 0);
    QTest::keyClick(grid, Qt::Key_Down);  // the arrow alone moves the selection, not the file
    EXPECT_EQ(grid->currentRow(), 1);
    EXPECT_EQ(fileColumn(grid), (std::vector<std::string>{"b.pdf", "REPORT.PDF", "c.pdf", "a.pdf"}));

    grid->selectionModel()->select(grid->model()->index(3, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_EQ(fileColumn(grid), (std::vector<std::string>{"b.pdf", "c.pdf"}));
    EXPECT_EQ(control<QLabel>(w, "mergeTotalPages")->text(), "Total pages: 5");

    grid->selectRow(0);
    QTest::keyClick(grid, Qt::Key_Delete);
    grid->selectRow(0);
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_TRUE(fileColumn(grid).empty());
    EXPECT_FALSE(control<QToolButton>(w, "mergeBtnRemoveFile")->isEnabled());
    EXPECT_EQ(control<QLabel>(w, "mergeTotalPages")->text(), "");
}

// The Up and Down buttons and Ctrl+Up and Ctrl+Down move the selected rows
// one place; afterwards exactly the moved rows are selected, so that Remove
// takes them and nothing else.
TEST_F(MainWindowTest, MoveKeysAndButtonsMoveTheSelectedRowsAndTheSelectionFollows) {
    MainWindow& w = window();
    fixtures::writeMarkedPdf(dir.file("c.pdf"), "C", 2);
    dialogs.openAnswers = {{dir.file("a.pdf"), dir.file("b.pdf"), dir.file("c.pdf"), dir.file("REPORT.PDF")}};
    control<QToolButton>(w, "mergeBtnAddFile")->click();
    w.show();
    w.showTab(WindowTab::Merge);
    settle();
    auto* grid = control<FileGrid>(w, "MergeStringGrid");
    const auto selected = [&] {
        std::vector<int> rows;
        for (const QModelIndex& index : grid->selectionModel()->selectedRows()) rows.push_back(index.row() + 1);
        std::sort(rows.begin(), rows.end());
        return rows;
    };
    enum class How { CtrlKey, Button };
    struct Move {
        How how;
        int step;
        std::vector<std::string> order;
        std::vector<int> selection;
    };
    grid->selectRow(2);  // c.pdf
    const std::vector<Move> moves = {
        {How::CtrlKey, -1, {"a.pdf", "c.pdf", "b.pdf", "REPORT.PDF"}, {2}},
        {How::Button, -1, {"c.pdf", "a.pdf", "b.pdf", "REPORT.PDF"}, {1}},
        {How::CtrlKey, -1, {"c.pdf", "a.pdf", "b.pdf", "REPORT.PDF"}, {1}},  // at the top: nothing
        {How::CtrlKey, 1, {"a.pdf", "c.pdf", "b.pdf", "REPORT.PDF"}, {2}},
        {How::Button, 1, {"a.pdf", "b.pdf", "c.pdf", "REPORT.PDF"}, {3}},
        {How::CtrlKey, 1, {"a.pdf", "b.pdf", "REPORT.PDF", "c.pdf"}, {4}},
        {How::Button, 1, {"a.pdf", "b.pdf", "REPORT.PDF", "c.pdf"}, {4}},  // at the bottom: nothing
    };
    for (std::size_t i = 0; i < moves.size(); ++i) {
        const Move& move = moves[i];
        SCOPED_TRACE("move " + std::to_string(i + 1));
        if (move.how == How::CtrlKey)
            QTest::keyClick(grid, move.step < 0 ? Qt::Key_Up : Qt::Key_Down, Qt::ControlModifier);
        else
            control<QToolButton>(w, move.step < 0 ? "mergeBtnMoveUp" : "mergeBtnMoveDown")->click();
        EXPECT_EQ(fileColumn(grid), move.order);
        EXPECT_EQ(selected(), move.selection);
        EXPECT_EQ(grid->currentRow() + 1, move.selection.front());
    }

    // Two rows together move as a block.
    grid->selectionModel()->select(QItemSelection(grid->model()->index(0, 0), grid->model()->index(1, grid->model()->columnCount() - 1)),
                                   QItemSelectionModel::ClearAndSelect);
    ASSERT_EQ(selected(), (std::vector<int>{1, 2}));
    QTest::keyClick(grid, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(fileColumn(grid), (std::vector<std::string>{"REPORT.PDF", "a.pdf", "b.pdf", "c.pdf"}));
    EXPECT_EQ(selected(), (std::vector<int>{2, 3}));
    control<QToolButton>(w, "mergeBtnRemoveFile")->click();
    EXPECT_EQ(fileColumn(grid), (std::vector<std::string>{"REPORT.PDF", "c.pdf"}));
}

// The grid is one stop for Tab: Tab leaves it for the next control as
// Shift+Tab leaves it for the one before, and the arrows move within it.
TEST_F(MainWindowTest, TabLeavesTheFileGridAndTheFocusIsFramed) {
    MainWindow& w = window();
    dialogs.openAnswers = {{dir.file("a.pdf"), dir.file("b.pdf")}};
    control<QToolButton>(w, "mergeBtnAddFile")->click();
    w.show();
    w.showTab(WindowTab::Merge);
    w.activateWindow();
    settle();
    auto* grid = control<FileGrid>(w, "MergeStringGrid");
    grid->setFocus();
    grid->setCurrentCell(0, 1);
    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), control(w, "mergeBtnAddFile"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), grid);
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(grid->currentRow(), 1);

    // The focused tab bar is drawn with a mark that the unfocused one lacks.
    QTabBar* bar = control<QTabWidget>(w, "PageControl1")->tabBar();
    bar->setFocus();
    settle();
    const QImage focused = bar->grab().toImage();
    grid->setFocus();
    settle();
    EXPECT_NE(focused, bar->grab().toImage());
}

// While a row is dragged, a line shows where it will land: under the row it
// is over when it moves down, above it when it moves up, after the last file
// when it is over the empty rows.
TEST_F(MainWindowTest, ADraggedRowShowsWhereItWillLand) {
    MainWindow& w = window();
    fixtures::writeMarkedPdf(dir.file("c.pdf"), "C", 2);
    dialogs.openAnswers = {{dir.file("a.pdf"), dir.file("b.pdf"), dir.file("c.pdf"), dir.file("REPORT.PDF")}};
    control<QToolButton>(w, "mergeBtnAddFile")->click();
    w.show();
    w.showTab(WindowTab::Merge);
    settle();
    auto* grid = control<FileGrid>(w, "MergeStringGrid");
    std::unique_ptr<QMimeData> data;
    const auto rowRect = [&](int row) { return grid->visualRect(grid->model()->index(row, 1)); };
    const auto dragOver = [&](int from, int over) {
        data.reset(FileGrid::rowData(from));
        // Past the last file, the blank where a row would be.
        const int last = grid->model()->rowCount() - 1;
        const QPoint at = rowRect(std::min(over, last)).center() + QPoint(0, 24 * std::max(0, over - last));
        QDragEnterEvent enter(at, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(grid->viewport(), &enter);
        QDragMoveEvent move(at, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(grid->viewport(), &move);
        return at;
    };
    struct Case {
        int from, over, lineY;
    };
    const Case cases[] = {{0, 2, rowRect(2).bottom()}, {3, 1, rowRect(1).top()}, {0, 6, rowRect(3).bottom()}, {2, 2, -1}};
    for (const Case& c : cases) {
        dragOver(c.from, c.over);
        EXPECT_EQ(grid->dropLineY(), c.lineY) << c.from << " over " << c.over;
    }
    const QPoint at = dragOver(0, 6);
    QDropEvent drop(at, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(grid->viewport(), &drop);
    EXPECT_EQ(fileColumn(grid), (std::vector<std::string>{"b.pdf", "c.pdf", "REPORT.PDF", "a.pdf"})) << "to the end";
    EXPECT_EQ(grid->dropLineY(), -1);
}

TEST_F(MainWindowTest, SplitAndMixSayWhichFilesTheyKept) {
    MainWindow& w = window();
    dialogs.openAnswers = {{dir.file("a.pdf"), dir.file("b.pdf"), dir.file("REPORT.PDF")}};
    control<QToolButton>(w, "mixBtnAddFile")->click();
    EXPECT_EQ(fileColumn(control<QTableView>(w, "MixStringGrid")), (std::vector<std::string>{"a.pdf", "b.pdf"}));
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"The mix takes two files. Kept: a.pdf, b.pdf"});

    dialogs.messages.clear();
    w.showTab(WindowTab::Split);
    drop({dir.file("b.pdf"), dir.file("a.pdf")});
    EXPECT_EQ(fileColumn(control<QTableView>(w, "SplitStringGrid")), std::vector<std::string>{"b.pdf"});
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"The split takes one file. Kept: b.pdf"});
}

// Files open on a worker thread: the window's events go on meanwhile, the
// password is asked for on the window's thread, and files added together are
// listed in the order they were chosen.
TEST_F(MainWindowTest, FilesOpenOnAWorkerWhileTheWindowGoesOn) {
    struct ThreadNotingDialogs : ScriptedDialogs {
        bool askedOffTheWindowThread = false;
        bool askText(const std::string& caption, const std::string& prompt, bool masked, std::string& text) override {
            if (QThread::currentThread() != qApp->thread()) askedOffTheWindowThread = true;
            return ScriptedDialogs::askText(caption, prompt, masked, text);
        }
    } threadDialogs;
    fixtures::writeMarkedPdf(dir.file("locked.pdf"), "L", 2, fixtures::PdfOptions().withPassword("pw"));
    std::atomic<int> opensOnTheWindowThread{0};
    const auto slowOpen = [&](const std::string& path, const NextPassword& nextPassword) {
        if (QThread::currentThread() == qApp->thread()) ++opensOnTheWindowThread;
        QThread::msleep(150);
        return openWithPasswords(path, nextPassword);
    };
    MainWindow w(threadDialogs, nullptr, {}, slowOpen);
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(10);
    threadDialogs.openAnswers = {{dir.file("b.pdf"), dir.file("locked.pdf"), dir.file("a.pdf")}};
    threadDialogs.textAnswers = {"pw"};
    control<QToolButton>(w, "mergeBtnAddFile")->click();

    EXPECT_EQ(fileColumn(control<QTableView>(w, "MergeStringGrid")), (std::vector<std::string>{"b.pdf", "locked.pdf", "a.pdf"}));
    EXPECT_GE(ticks, 10) << "the window's timers ran while the files opened";
    EXPECT_EQ(opensOnTheWindowThread, 0);
    ASSERT_EQ(threadDialogs.prompts.size(), 1u);
    EXPECT_FALSE(threadDialogs.askedOffTheWindowThread);
    EXPECT_EQ(cell(control<QTableView>(w, "MergeStringGrid"), 2, 4), FileListModel::PasswordMark);
}

TEST_F(MainWindowTest, AWrongPasswordIsAskedForAgain) {
    MainWindow& w = window();
    fixtures::writeMarkedPdf(dir.file("locked.pdf"), "L", 2, fixtures::PdfOptions().withPassword("right"));
    dialogs.openAnswers = {{dir.file("locked.pdf")}};
    dialogs.textAnswers = {"wrong", "right"};
    control<QToolButton>(w, "mergeBtnAddFile")->click();
    auto* grid = control<QTableView>(w, "MergeStringGrid");
    EXPECT_EQ(fileColumn(grid), std::vector<std::string>{"locked.pdf"});
    EXPECT_EQ(cell(grid, 1, 4), FileListModel::PasswordMark);
    ASSERT_EQ(dialogs.prompts.size(), 2u);
    EXPECT_EQ(dialogs.prompts[0].prompt, "locked.pdf is protected. Please enter its password:");
    EXPECT_EQ(dialogs.prompts[1].prompt.rfind("Password required or incorrect password", 0), 0u);
}

TEST_F(MainWindowTest, DropOnTheAboutTabTakesNothingAndSaysSoOnce) {
    MainWindow& w = window();
    w.showTab(WindowTab::About);
    drop({dir.file("a.pdf"), dir.file("b.pdf"), dir.file("notes.txt")});
    EXPECT_EQ(dialogs.messages, (std::vector<std::string>{text("MsgErrTab")}));
    EXPECT_FALSE(text("MsgErrTab").empty());
    for (QTableView* grid : {control<QTableView>(w, "SplitStringGrid"), control<QTableView>(w, "MergeStringGrid"), control<QTableView>(w, "MixStringGrid")})
        EXPECT_TRUE(fileColumn(grid).empty());
}

// ---------------------------------------------------------------- browse buttons

TEST_F(MainWindowTest, FolderBrowseSelectsANewFolderThatLaterAddsKeep) {
    MainWindow& w = window();
    struct Tab {
        QPushButton* browse;
        QLineEdit* folder;
        QRadioButton* other;
        std::function<void()> add;
    };
    const Tab tabs[] = {
        {control<QPushButton>(w, "cmd_split_dest"), control<QLineEdit>(w, "split_destination_folder"), control<QRadioButton>(w, "split_dest_other"),
         [&] { dialogs.openAnswers = {{dir.file("a.pdf")}}; control<QToolButton>(w, "splitBtnAddFile")->click(); }},
        {control<QPushButton>(w, "cmd_mix_dest"), control<QLineEdit>(w, "mix_destination_folder"), control<QRadioButton>(w, "mix_dest_other"),
         [&] { dialogs.openAnswers = {{dir.file("a.pdf")}}; control<QToolButton>(w, "mixBtnAddFile")->click(); }},
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

TEST_F(MainWindowTest, MergeBrowseProposesOutputPdfFirstThenTheLastChoice) {
    MainWindow& w = window();
    dialogs.saveAnswers = {dir.file("joined.pdf"), "", dir.file("again.pdf")};
    control<QPushButton>(w, "cmd_merge_dest")->click();
    EXPECT_EQ(control<QLineEdit>(w, "merge_destination_filename")->text().toStdString(), dir.file("joined.pdf"));
    control<QPushButton>(w, "cmd_merge_dest")->click();  // Cancel
    EXPECT_EQ(control<QLineEdit>(w, "merge_destination_filename")->text().toStdString(), dir.file("joined.pdf"));
    control<QPushButton>(w, "cmd_merge_dest")->click();
    EXPECT_EQ(control<QLineEdit>(w, "merge_destination_filename")->text().toStdString(), dir.file("again.pdf"));
    EXPECT_EQ(dialogs.saveProposals,
              (std::vector<std::string>{"output.pdf", dir.file("joined.pdf"), dir.file("joined.pdf")}));

    dialogs.openAnswers = {{dir.file("a.pdf")}};
    control<QToolButton>(w, "mergeBtnAddFile")->click();
    EXPECT_EQ(control<QLineEdit>(w, "merge_destination_filename")->text().toStdString(), dir.file("again.pdf")) << "adds keep a chosen name";
}

// ---------------------------------------------------------------- Split tab change handlers

TEST_F(MainWindowTest, TypingIntoASplitFieldSelectsItsMethod) {
    MainWindow& w = window();
    const std::pair<QLineEdit*, QRadioButton*> cases[] = {
        {control<QLineEdit>(w, "split_method3_input2"), control<QRadioButton>(w, "r_split_method3")}, {control<QLineEdit>(w, "split_method2_input1"), control<QRadioButton>(w, "r_split_method2")},
        {control<QLineEdit>(w, "split_method4_input1"), control<QRadioButton>(w, "r_split_method4")}, {control<QLineEdit>(w, "split_method1_input1"), control<QRadioButton>(w, "r_split_method1")},
        {control<QLineEdit>(w, "split_method5_input1"), control<QRadioButton>(w, "r_split_method5")}, {control<QLineEdit>(w, "split_method6_input1"), control<QRadioButton>(w, "r_split_method6")},
        {control<QLineEdit>(w, "split_method3_input1"), control<QRadioButton>(w, "r_split_method3")}, {control<QLineEdit>(w, "split_method4_input2"), control<QRadioButton>(w, "r_split_method4")},
    };
    for (const auto& [field, method] : cases) {
        field->setText("7");
        EXPECT_TRUE(method->isChecked()) << field->objectName().toStdString();
    }
    control<QLineEdit>(w, "split_method1_input1")->clear();
    EXPECT_TRUE(control<QRadioButton>(w, "r_split_method4")->isChecked()) << "an emptied field changes nothing";
    control<QLineEdit>(w, "mix_doc2_method2_input1")->setText("5");
    EXPECT_TRUE(control<QRadioButton>(w, "r_mix2_method1")->isChecked()) << "the Mix fields select nothing";
}

// ---------------------------------------------------------------- start checks

TEST_F(MainWindowTest, RunButtonsCheckTheirListAndFolderFirst) {
    MainWindow& w = window();
    const std::string noFolder = "You did not enter a valid destination folder!";
    // Enter or Return on a run button starts it as a click does.
    QTest::keyClick(control<QPushButton>(w, "cmd_split_run"), Qt::Key_Return);
    QTest::keyClick(control<QPushButton>(w, "cmd_mix_run"), Qt::Key_Enter);
    QTest::keyClick(control<QPushButton>(w, "cmd_merge"), Qt::Key_Return);
    EXPECT_EQ(dialogs.messages, (std::vector<std::string>{text("MsgSplitAddFile"), text("MsgErrMixAdd2files"),
                                                           text("MsgErrAdd2files")}));

    dialogs.messages.clear();
    control<QRadioButton>(w, "split_dest_other")->setChecked(true);
    control<QRadioButton>(w, "mix_dest_other")->setChecked(true);
    dialogs.openAnswers = {{dir.file("a.pdf")}};
    control<QToolButton>(w, "splitBtnAddFile")->click();
    addMix(dir.file("a.pdf"), dir.file("b.pdf"));
    control<QPushButton>(w, "cmd_split_run")->click();
    control<QPushButton>(w, "cmd_mix_run")->click();
    EXPECT_EQ(dialogs.messages, (std::vector<std::string>{noFolder, noFolder}));
    EXPECT_EQ(fixtures::filesIn(dir.path()).size(), 6u) << "nothing written";
}

// ---------------------------------------------------------------- the jobs from the window

TEST_F(MainWindowTest, SplitWritesNumberedFinishedFilesAndSaysWhere) {
    MainWindow& w = window();
    dialogs.openAnswers = {{dir.file("a.pdf")}};
    control<QToolButton>(w, "splitBtnAddFile")->click();
    control<QLineEdit>(w, "split_method3_input1")->setText("2");
    control<QLineEdit>(w, "split_method3_input2")->setText("2");
    control<QLineEdit>(w, "split_base_filename")->setText("part_");
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    dialogs.actionAnswers = {true};
    run("cmd_split_run");
    QDesktopServices::unsetUrlHandler("file");
    EXPECT_EQ(fixtures::markerText(dir.file("part_1.pdf")), "A2 A3");
    EXPECT_EQ(fixtures::markerText(dir.file("part_2.pdf")), "A4");
    EXPECT_FALSE(fixtures::fileExists(dir.file("part_3.pdf")));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(dialogs.questions, (std::vector<std::string>{text("MsgSplitDone") + "\n\nWrote 2 files to " +
                                                           dir.path() + " [Open folder]"}));
    EXPECT_EQ(catcher.opened, QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(dir.path()))});
    EXPECT_TRUE(control<QProgressBar>(w, "ProgressBarSplit")->isHidden());
}

TEST_F(MainWindowTest, SplitByBookmarksWithTitleNamesAndBySize) {
    MainWindow& w = window();
    fixtures::writeMarkedPdf(dir.file("book.pdf"), "K", 4,
                             fixtures::PdfOptions().withBookmarks({{"One", 1, 1}, {"Two", 1, 3}}));
    dialogs.openAnswers = {{dir.file("book.pdf")}};
    control<QToolButton>(w, "splitBtnAddFile")->click();
    control<QCheckBox>(w, "split_method5_titles")->setChecked(true);
    EXPECT_TRUE(control<QRadioButton>(w, "r_split_method5")->isChecked()) << "the check box selects its method";
    run("cmd_split_run");
    EXPECT_EQ(fixtures::markerText(dir.file("One.pdf")) + "|" + fixtures::markerText(dir.file("Two.pdf")), "K1 K2|K3 K4");

    control<QLineEdit>(w, "split_method6_input1")->setText("1");
    run("cmd_split_run");
    EXPECT_EQ(fixtures::markerText(dir.file("book_1.pdf")), "K1 K2 K3 K4") << "one file within 1 MB";
    EXPECT_FALSE(fixtures::fileExists(dir.file("book_2.pdf")));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(MainWindowTest, MergeJoinsTheListWithTheStoredProtection) {
    Settings().setOutputPassword("secret");
    MainWindow& w = window();
    Settings().setOutputPassword("");
    EXPECT_EQ(w.protection().outputPassword, "secret");
    EXPECT_EQ(control<QToolButton>(w, "settingsButton")->icon().cacheKey(), control<QToolButton>(w, "glyphLocked")->icon().cacheKey());

    dialogs.openAnswers = {{dir.file("b.pdf"), dir.file("a.pdf")}};
    control<QToolButton>(w, "mergeBtnAddFile")->click();
    EXPECT_EQ(control<QLabel>(w, "mergeTotalPages")->text(), "Total pages: 7");
    run("cmd_merge");
    const std::string output = dir.file("output.pdf");
    EXPECT_EQ(fixtures::markerText(output, "secret"), "B1 B2 B3 A1 A2 A3 A4");
    EXPECT_ANY_THROW(fixtures::markerText(output)) << "the output password was applied";
    EXPECT_EQ(dialogs.questions, (std::vector<std::string>{text("MsgMergeDone") + " (total pages: 7)\n\nWrote output.pdf to " +
                                                           dir.path() + " [Open folder]"}));

    QPDF pdf;
    pdf.processFile(output.c_str(), "secret");
    EXPECT_NE(pdf.getTrailer().getKey("/Info").getKey("/Creator").getUTF8Value().find("Splimera"), std::string::npos);
}

// The Merge grid's last column takes the pages of each file, as "1-3,z" or
// "z-1"; empty takes them all. A selection that is no pages of its file is
// named with the file, marked, and given the focus, and nothing is written.
TEST_F(MainWindowTest, MergeTakesThePagesTypedInThePagesColumn) {
    MainWindow& w = window();
    dialogs.openAnswers = {{dir.file("a.pdf"), dir.file("b.pdf")}};
    control<QToolButton>(w, "mergeBtnAddFile")->click();
    w.show();
    w.showTab(WindowTab::Merge);
    settle();
    auto* grid = control<FileGrid>(w, "MergeStringGrid");
    const int column = grid->editableColumn();
    ASSERT_EQ(column, 5);
    EXPECT_EQ(header(grid, column), "Pages to merge");
    // As a user types it: F2 on the row, the text, Enter.
    const auto type = [&](int row, const char* text) {
        grid->setFocus();
        grid->setCurrentCell(row, 1);
        QTest::keyClick(grid, Qt::Key_F2);
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, grid) << "no editor opened";
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(editor, Qt::Key_Delete);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        settle();  // the editor hands its text over after the key
    };
    struct Case {
        const char* first;
        const char* second;
        bool padOdd;
        std::string total;
        std::string merged;  // "" when the merge is refused, saying `why`
        const char* why;
    };
    const Case cases[] = {
        {"1-2,z", "", false, "Total pages: 6", "A1 A2 A4 B1 B2 B3", ""},
        {"z-1", "r2", false, "Total pages: 5", "A4 A3 A2 A1 B2", ""},
        {"3 - 1", "2", true, "Total pages: 6", "A3 A2 A1  B2 ", ""},
        {"2,5", "", false, "Total pages: 7", "", "not one of its 4 pages"},
        {"1-x", "", false, "Total pages: 7", "", "'1-x'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.first) + " / " + c.second);
        std::filesystem::remove(dir.file("output.pdf"));
        dialogs.messages.clear();
        type(0, c.first);
        type(1, c.second);
        control<QCheckBox>(w, "merge_pad_odd")->setChecked(c.padOdd);
        EXPECT_EQ(control<QLabel>(w, "mergeTotalPages")->text().toStdString(), c.total);
        const QModelIndex cell = grid->model()->index(0, column);
        // The cell as its delegate draws it, on white: a marked one is not white away from its text.
        const auto marked = [&] {
            QStyleOptionViewItem option;
            option.initFrom(grid);
            QImage picture(100, 24, QImage::Format_RGB32);
            picture.fill(Qt::white);
            QPainter painter(&picture);
            option.rect = picture.rect();
            grid->itemDelegateForColumn(column)->paint(&painter, option, cell);
            return picture.pixelColor(90, 2) != QColor(Qt::white);
        };
        run("cmd_merge");
        if (!c.merged.empty()) {
            EXPECT_EQ(fixtures::markerText(dir.file("output.pdf")), c.merged);
            EXPECT_TRUE(dialogs.messages.empty());
            EXPECT_FALSE(marked());
            continue;
        }
        EXPECT_FALSE(fixtures::fileExists(dir.file("output.pdf")));
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_NE(dialogs.messages[0].find(dir.file("a.pdf")), std::string::npos) << dialogs.messages[0];
        EXPECT_NE(dialogs.messages[0].find(c.why), std::string::npos) << dialogs.messages[0];
        EXPECT_TRUE(marked()) << "the wrong entry is marked";
        EXPECT_EQ(cell.data(Qt::ToolTipRole).toString().toStdString(), dialogs.messages[0]);
        EXPECT_EQ(grid->currentRow(), 0);
        EXPECT_EQ(grid->currentColumn(), column);
    }
}

TEST_F(MainWindowTest, TheBookmarkAndPaddingChoicesOfMergeAndMixReachTheJob) {
    MainWindow& w = window();
    dialogs.openAnswers = {{dir.file("b.pdf"), dir.file("a.pdf")}};
    control<QToolButton>(w, "mergeBtnAddFile")->click();
    control<QRadioButton>(w, "merge_bookmarks_per_file")->setChecked(true);
    control<QCheckBox>(w, "merge_pad_odd")->setChecked(true);
    run("cmd_merge");
    EXPECT_EQ(fixtures::bookmarkTitles(dir.file("output.pdf")), "b a");
    EXPECT_EQ(fixtures::markerText(dir.file("output.pdf")), "B1 B2 B3  A1 A2 A3 A4");

    addMix(dir.file("a.pdf"), dir.file("b.pdf"));
    control<QCheckBox>(w, "mix_single_file")->setChecked(true);
    control<QRadioButton>(w, "mix_bookmarks_per_file")->setChecked(true);
    run("cmd_mix_run");
    EXPECT_EQ(fixtures::bookmarkTitles(dir.file("a_mixed.pdf")), "a b");
    EXPECT_TRUE(control<QRadioButton>(w, "mix_dest_source")->isChecked());
}

TEST_F(MainWindowTest, MixTakesTurnsWithTheChosenOptions) {
    MainWindow& w = window();
    fixtures::writeMarkedPdf(dir.file("fronts.pdf"), "F", 3);
    fixtures::writeMarkedPdf(dir.file("backs.pdf"), "K", 3);
    addMix(dir.file("fronts.pdf"), dir.file("backs.pdf"));
    control<QLineEdit>(w, "mix_doc1_method1_input1")->setText("1");
    control<QLineEdit>(w, "mix_doc2_method1_input1")->setText("1");
    run("cmd_mix_run");
    EXPECT_EQ(fixtures::markerText(dir.file("fronts_1.pdf")), "F1 K1");
    EXPECT_EQ(fixtures::markerText(dir.file("fronts_3.pdf")), "F3 K3");
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].rfind(text("MsgMixDone"), 0), 0u);

    control<QCheckBox>(w, "mix_reverse_second")->setChecked(true);
    control<QCheckBox>(w, "mix_single_file")->setChecked(true);
    run("cmd_mix_run");
    EXPECT_EQ(fixtures::markerText(dir.file("fronts_mixed.pdf")), "F1 K3 F2 K2 F3 K1");
    EXPECT_TRUE(control<QProgressBar>(w, "ProgressBarMix")->isHidden());
}

TEST_F(MainWindowTest, AnErrorEndingAJobIsShownAndTheNextJobRuns) {
    MainWindow& w = window();
    dialogs.openAnswers = {{dir.file("a.pdf"), dir.file("b.pdf")}};
    control<QToolButton>(w, "mergeBtnAddFile")->click();
    std::filesystem::rename(dir.file("b.pdf"), dir.file("b-moved.pdf"));
    run("cmd_merge");
    ASSERT_EQ(dialogs.messages.size(), 1u) << "the error, and no completion message";
    EXPECT_EQ(dialogs.kinds[0], MessageKind::Error);
    EXPECT_EQ(dialogs.messages[0].back(), '.');
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_FALSE(fixtures::fileExists(dir.file("output.pdf")));
    EXPECT_EQ(control<QProgressBar>(w, "ProgressBar2")->value(), 0);

    std::filesystem::rename(dir.file("b-moved.pdf"), dir.file("b.pdf"));
    run("cmd_merge");
    EXPECT_EQ(fixtures::markerText(dir.file("output.pdf")), "A1 A2 A3 A4 B1 B2 B3");
}

// While a job runs its controls are disabled and its run button reads
// Cancel; Cancel stops the job after the file it is writing.
TEST_F(MainWindowTest, AJobCancelledFromTheWindowLeavesWholeFiles) {
    MainWindow& w = window();
    fixtures::writeMarkedPdf(dir.file("long.pdf"), "L", 300);
    dialogs.openAnswers = {{dir.file("long.pdf")}};
    control<QToolButton>(w, "splitBtnAddFile")->click();
    control<QToolButton>(w, "splitBtnRemoveFile")->setEnabled(true);
    auto* runButton = control<QPushButton>(w, "cmd_split_run");
    std::map<std::string, bool> enabledDuringJob;
    QString captionDuringJob;
    bool dropTaken = true;
    // At the first sign of progress: look at the controls, try a drop, press Cancel.
    QObject::connect(control<QProgressBar>(w, "ProgressBarSplit"), &QProgressBar::valueChanged, &w, [&](int value) {
        if (value == 0 || !captionDuringJob.isEmpty()) return;
        captionDuringJob = runButton->text();
        for (const char* name : {"split_base_filename", "r_split_method2", "splitBtnRemoveFile", "cmd_merge",
                                 "mergeBtnAddFile", "language_selector", "settingsButton"})
            enabledDuringJob[name] = control(w, name)->isEnabled();
        enabledDuringJob["cmd_split_run"] = runButton->isEnabled();
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(dir.file("b.pdf")))});
        QDragEnterEvent enter(QPoint(500, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&w, &enter);
        dropTaken = enter.isAccepted();
        runButton->click();
    });
    run("cmd_split_run");

    EXPECT_EQ(captionDuringJob, "Cancel");
    EXPECT_EQ(enabledDuringJob, (std::map<std::string, bool>{{"split_base_filename", false}, {"r_split_method2", false},
                                                             {"splitBtnRemoveFile", false}, {"cmd_merge", false},
                                                             {"mergeBtnAddFile", false}, {"language_selector", false},
                                                             {"settingsButton", false}, {"cmd_split_run", true}}));
    EXPECT_FALSE(dropTaken);
    std::vector<std::string> outputs;
    const std::vector<std::string> others = {"REPORT.PDF", "a.pdf", "b.pdf", "folder.pdf", "long.pdf", "notes.txt", "out"};
    for (const std::string& name : fixtures::filesIn(dir.path())) {
        if (name.rfind("long_", 0) == 0) outputs.push_back(name);
        else EXPECT_NE(std::find(others.begin(), others.end(), name), others.end()) << "left behind: " << name;
    }
    EXPECT_LT(outputs.size(), 300u) << "stopped before the end";
    for (const std::string& name : outputs)  // long_007.pdf holds page L7 alone
        EXPECT_EQ(fixtures::markerText(dir.file(name)), "L" + std::to_string(std::stoi(name.substr(5, 3)))) << name;
    ASSERT_EQ(dialogs.questions.size() + dialogs.messages.size(), 1u);
    const std::string said = dialogs.questions.empty() ? dialogs.messages[0] : dialogs.questions[0];
    EXPECT_EQ(said.rfind("The job was stopped", 0), 0u) << said;

    EXPECT_EQ(runButton->text(), "Split this PDF!");
    for (const char* name : {"split_base_filename", "splitBtnRemoveFile", "cmd_merge", "language_selector", "cmd_split_run"})
        EXPECT_TRUE(control(w, name)->isEnabled()) << name;
    EXPECT_FALSE(control<QToolButton>(w, "splitBtnAddFile")->isEnabled()) << "the split list is still full";
    EXPECT_EQ(control<QProgressBar>(w, "ProgressBarSplit")->value(), 0);
    EXPECT_TRUE(control<QProgressBar>(w, "ProgressBarSplit")->isHidden());
}

TEST_F(MainWindowTest, ClosingDuringAJobAsksAndStopsTheJobFirst) {
    MainWindow& w = window();
    fixtures::writeMarkedPdf(dir.file("long.pdf"), "L", 200);
    dialogs.openAnswers = {{dir.file("long.pdf")}};
    control<QToolButton>(w, "splitBtnAddFile")->click();
    w.show();
    dialogs.questionAnswers = {false, true};
    bool stillOpenAfterNo = false;
    QObject::connect(control<QProgressBar>(w, "ProgressBarSplit"), &QProgressBar::valueChanged, &w, [&](int value) {
        if (value == 0 || dialogs.questions.size() >= 2) return;
        w.close();  // answered No: the job goes on
        stillOpenAfterNo = w.isVisible() && w.isJobRunning();
        w.close();  // answered Yes
    });
    run("cmd_split_run");
    EXPECT_TRUE(stillOpenAfterNo);
    ASSERT_GE(dialogs.questions.size(), 2u);
    EXPECT_EQ(dialogs.questions[0], "A job is still running. Stop it after the file it is writing and close the window?");
    EXPECT_FALSE(w.isVisible()) << "closed once the job stopped";
}

// Cancel pressed before the first file is written: the job says it was
// stopped and what it wrote, and shows no error.
TEST_F(MainWindowTest, AJobCancelledAtOnceSaysItWasStopped) {
    MainWindow& w = window();
    fixtures::writeMarkedPdf(dir.file("long.pdf"), "L", 300);
    dialogs.openAnswers = {{dir.file("long.pdf")}, {dir.file("long.pdf"), dir.file("a.pdf")}};
    control<QToolButton>(w, "splitBtnAddFile")->click();
    control<QToolButton>(w, "mergeBtnAddFile")->click();
    for (const char* runButton : {"cmd_split_run", "cmd_merge"}) {
        SCOPED_TRACE(runButton);
        dialogs.messages.clear();
        dialogs.kinds.clear();
        dialogs.questions.clear();
        QSignalSpy finished(&w, &MainWindow::jobFinished);
        control<QPushButton>(w, runButton)->click();
        control<QPushButton>(w, runButton)->click();  // Cancel, at once
        ASSERT_TRUE(finished.wait(60000));
        ASSERT_EQ(dialogs.messages.size() + dialogs.questions.size(), 1u);
        const std::string said = dialogs.messages.empty() ? dialogs.questions[0] : dialogs.messages[0];
        EXPECT_EQ(said.rfind("The job was stopped", 0), 0u) << said;
        EXPECT_TRUE(std::find(dialogs.kinds.begin(), dialogs.kinds.end(), MessageKind::Error) == dialogs.kinds.end());
        if (!dialogs.messages.empty()) {
            EXPECT_NE(said.find("No file was written."), std::string::npos) << said;
        }
    }
}

// The job ends while the close question is open: Yes still closes the window.
TEST_F(MainWindowTest, TheCloseQuestionStillClosesWhenTheJobEndedMeanwhile) {
    MainWindow& w = window();
    fixtures::writeMarkedPdf(dir.file("long.pdf"), "L", 40);
    dialogs.openAnswers = {{dir.file("long.pdf")}};
    control<QToolButton>(w, "splitBtnAddFile")->click();
    w.show();
    dialogs.whileAsking = [&] {
        QSignalSpy finished(&w, &MainWindow::jobFinished);
        if (w.isJobRunning()) finished.wait(60000);
    };
    dialogs.questionAnswers = {true};
    QSignalSpy finished(&w, &MainWindow::jobFinished);
    control<QPushButton>(w, "cmd_split_run")->click();
    ASSERT_TRUE(w.isJobRunning());
    w.close();
    if (finished.isEmpty()) finished.wait(60000);
    EXPECT_EQ(dialogs.questions.back(), "A job is still running. Stop it after the file it is writing and close the window?");
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(fixtures::fileExists(dir.file("long_40.pdf"))) << "the job ran to its end";
}

// Every run that would write over a file asks, also a second merge into the
// file the Save dialog chose.
TEST_F(MainWindowTest, ASecondMergeAsksBeforeReplacingItsOutput) {
    MainWindow& w = window();
    dialogs.openAnswers = {{dir.file("a.pdf"), dir.file("b.pdf")}};
    control<QToolButton>(w, "mergeBtnAddFile")->click();
    fixtures::writeFile(dir.file("joined.pdf"), "older");
    dialogs.saveAnswers = {dir.file("joined.pdf")};
    control<QPushButton>(w, "cmd_merge_dest")->click();
    run("cmd_merge");
    EXPECT_EQ(dialogs.questions.size(), 1u) << "what was written only: the Save dialog asked";
    fixtures::writeFile(dir.file("joined.pdf"), "changed meanwhile");

    dialogs.questions.clear();
    dialogs.questionAnswers = {false};
    run("cmd_merge");
    EXPECT_EQ(dialogs.questions, std::vector<std::string>{"joined.pdf already exists in " + dir.path() + ". Replace it?"});
    EXPECT_EQ(fixtures::readFile(dir.file("joined.pdf")), "changed meanwhile");
}

TEST_F(MainWindowTest, ExistingFilesAreReplacedOnlyWhenTheUserSaysSo) {
    MainWindow& w = window();
    dialogs.openAnswers = {{dir.file("a.pdf")}};
    control<QToolButton>(w, "splitBtnAddFile")->click();
    fixtures::writeFile(dir.file("a_2.pdf"), "older");
    fixtures::writeFile(dir.file("a_4.pdf"), "older");
    dialogs.questionAnswers = {false};
    run("cmd_split_run");
    EXPECT_EQ(dialogs.questions, std::vector<std::string>{"2 files already exist in " + dir.path() + ". Replace them?"});
    EXPECT_EQ(fixtures::readFile(dir.file("a_2.pdf")), "older");
    EXPECT_FALSE(fixtures::fileExists(dir.file("a_1.pdf"))) << "nothing written";

    dialogs.questions.clear();
    dialogs.questionAnswers = {true};
    run("cmd_split_run");
    EXPECT_EQ(dialogs.questions.size(), 2u) << "the question, then what was written";
    EXPECT_EQ(fixtures::markerText(dir.file("a_2.pdf")), "A2");

    // One file, named; the Save dialog's own choice is not asked about again.
    dialogs.questions.clear();
    dialogs.openAnswers = {{dir.file("a.pdf"), dir.file("b.pdf")}};
    control<QToolButton>(w, "mergeBtnAddFile")->click();
    fixtures::writeFile(dir.file("output.pdf"), "older");
    dialogs.questionAnswers = {false};
    run("cmd_merge");
    EXPECT_EQ(dialogs.questions, std::vector<std::string>{"output.pdf already exists in " + dir.path() + ". Replace it?"});
    dialogs.questions.clear();
    dialogs.saveAnswers = {dir.file("output.pdf")};
    control<QPushButton>(w, "cmd_merge_dest")->click();
    run("cmd_merge");
    EXPECT_EQ(dialogs.questions.size(), 1u) << "what was written only";
    EXPECT_EQ(fixtures::markerText(dir.file("output.pdf")), "A1 A2 A3 A4 B1 B2 B3");
}

// A field a job cannot read is named in the user's words, framed and given
// the focus; nothing is written, and the frame goes once the field is edited.
TEST_F(MainWindowTest, AFieldThatCannotBeReadIsNamedAndMarked) {
    MainWindow& w = window();
    dialogs.openAnswers = {{dir.file("a.pdf")}};
    control<QToolButton>(w, "splitBtnAddFile")->click();
    addMix(dir.file("a.pdf"), dir.file("b.pdf"));
    w.show();
    w.activateWindow();
    settle();
    struct Case {
        const char* method;  // the radio button to choose
        const char* field;
        const char* typed;
        const char* run;
        std::string said;
    };
    const Case cases[] = {
        {"r_split_method2", "split_method2_input1", "1-4;2-x,3;5", "cmd_split_run",
         "The group \"2-x,3\" cannot be read. Write pages and ranges such as 1-4,6, and separate the files with \";\"."},
        {"r_split_method2", "split_method2_input1", "", "cmd_split_run",
         "Please type the pages of each file, such as 1-4,6;9-10, into the marked field."},
        {"r_split_method3", "split_method3_input2", "", "cmd_split_run", "Please type a whole number into the marked field."},
        {"r_split_method1", "split_method1_input1", "99999999999", "cmd_split_run",
         "\"99999999999\" is not a number the marked field can take. Please type a whole number such as 3."},
        {"r_split_method6", "split_method6_input1", "0", "cmd_split_run",
         "\"0\" is not a file size. Please type a number of MB such as 10 or 0.5."},
        {"r_mix2_method2", "mix_doc2_method2_input1", "", "cmd_mix_run", "Please type a whole number into the marked field."},
    };
    const auto before = fixtures::filesIn(dir.path());
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " '" + c.typed + "'");
        showTabOf(w, c.field);
        control<QRadioButton>(w, c.method)->setChecked(true);
        auto* field = control<QLineEdit>(w, c.field);
        field->setText(c.typed);
        dialogs.messages.clear();
        run(c.run);
        EXPECT_EQ(dialogs.messages, std::vector<std::string>{c.said});
        EXPECT_EQ(QApplication::focusWidget(), field);
        EXPECT_NE(field->styleSheet(), QString()) << "framed";
        QTest::keyClicks(field, "1");
        EXPECT_EQ(field->styleSheet(), QString()) << "the frame goes with the edit";
        field->setText("1");
    }
    EXPECT_EQ(fixtures::filesIn(dir.path()), before);
}

// The size field takes a decimal number of MB, written either way.
TEST_F(MainWindowTest, TheSizeFieldTakesPartsOfAMegabyte) {
    MainWindow& w = window();
    dialogs.openAnswers = {{dir.file("a.pdf")}};
    control<QToolButton>(w, "splitBtnAddFile")->click();
    auto* size = control<QLineEdit>(w, "split_method6_input1");
    const std::pair<const char*, int> cases[] = {{"0.5", 512 * 1024}, {"0,25", 256 * 1024}, {"3", 3 << 20}, {"1.5", 1536 * 1024}};
    for (const auto& [typed, bytes] : cases) {
        size->setText(typed);
        EXPECT_EQ(size->text(), typed) << "the field takes it";
        SplitRequest request = w.findChild<SplitTab*>()->request();
        EXPECT_EQ(request.sizeLimitBytes(), bytes) << typed;
    }
    EXPECT_TRUE(control<QRadioButton>(w, "r_split_method6")->isChecked());
    run("cmd_split_run");
    EXPECT_EQ(fixtures::markerText(dir.file("a_1.pdf")), "A1 A2 A3 A4");
}

// Pages a range list names beyond the end are skipped, and the window says
// which after the job.
TEST_F(MainWindowTest, PagesBeyondTheEndAreNamedAfterTheSplit) {
    MainWindow& w = window();
    dialogs.openAnswers = {{dir.file("a.pdf")}};
    control<QToolButton>(w, "splitBtnAddFile")->click();
    control<QLineEdit>(w, "split_method2_input1")->setText("1-3,50;6-7");
    run("cmd_split_run");
    EXPECT_EQ(fixtures::markerText(dir.file("a_1.pdf")), "A1 A2 A3");
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_NE(dialogs.questions[0].find("\n\nSkipped 50, 6-7: the file has only 4 pages."), std::string::npos)
        << dialogs.questions[0];
}

// "Open folder" says so, with the folder, where nothing on the desktop opens it.
TEST_F(MainWindowTest, OpenFolderSaysWhenNoFileManagerAnswers) {
    MainWindow& w = window();
    dialogs.openAnswers = {{dir.file("a.pdf")}};
    control<QToolButton>(w, "splitBtnAddFile")->click();
    UrlCatcher nobody;
    QDesktopServices::setUrlHandler("file", &nobody, "noSuchSlot");  // the desktop cannot open it
    dialogs.actionAnswers = {true};
    run("cmd_split_run");
    QDesktopServices::unsetUrlHandler("file");
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"The folder could not be opened: no file manager answered. "
                                                          "The files are in " + dir.path()});
}

// The panels of pages are titled after what they show.
TEST_F(MainWindowTest, ThePanelsOfPagesAreTitledAfterWhatTheyShow) {
    MainWindow& w = window();
    EXPECT_EQ(control<QToolButton>(w, "merge_pages")->text(), "Pages of the merged file");
    EXPECT_EQ(control<QToolButton>(w, "mix_pages")->text(), "Pages of the first mixed file");
    control<QCheckBox>(w, "mix_single_file")->setChecked(true);
    EXPECT_EQ(control<QToolButton>(w, "mix_pages")->text(), "Pages of the mixed file");
    control<QCheckBox>(w, "mix_single_file")->setChecked(false);
    EXPECT_EQ(control<QToolButton>(w, "mix_pages")->text(), "Pages of the first mixed file");
}

// The window opens where and as large as it was closed, unless that place
// is no longer wholly on a screen.
TEST_F(MainWindowTest, TheWindowOpensWhereItWasClosed) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize size(screen.width() * 3 / 4, screen.height() * 3 / 4);
    const QPoint inside = screen.topLeft() + QPoint(30, 40);
    // Where it was; and partly beyond the screen's edge: moved in until it touches it.
    const std::pair<QPoint, bool> places[] = {{inside, true},
                                              {screen.topLeft() + QPoint(screen.width() / 2, screen.height() / 2), false}};
    for (const auto& [closedAt, kept] : places) {
        {
            MainWindow first(dialogs);
            first.setMinimumSize(200, 150);  // smaller than the window's own least, to fit the test's screen
            first.show();
            settle();
            first.resize(size);
            first.move(closedAt);
            settle();
            first.close();
        }
        MainWindow next(dialogs);
        next.setMinimumSize(200, 150);
        next.show();
        settle();
        EXPECT_EQ(next.size(), size);
        if (kept) {
            EXPECT_EQ(next.pos(), inside);
        } else {
            EXPECT_EQ(next.frameGeometry().bottomRight(), screen.bottomRight());
        }
        EXPECT_TRUE(screen.contains(next.frameGeometry())) << "wholly on the screen";
    }
}

TEST_F(MainWindowTest, ABaseNameWithAFolderIsRefused) {
    MainWindow& w = window();
    dialogs.openAnswers = {{dir.file("a.pdf")}};
    control<QToolButton>(w, "splitBtnAddFile")->click();
    const auto before = fixtures::filesIn(dir.path());
    for (const char* name : {"../esc/ape_", "sub\\part_"}) {
        dialogs.messages.clear();
        control<QLineEdit>(w, "split_base_filename")->setText(name);
        run("cmd_split_run");
        ASSERT_EQ(dialogs.messages.size(), 1u) << name;
        EXPECT_NE(dialogs.messages[0].find("cannot contain"), std::string::npos);
        EXPECT_EQ(fixtures::filesIn(dir.path()), before);
    }
}

// ---------------------------------------------------------------- languages and links

TEST_F(MainWindowTest, PickingALanguageStoresItAndChangesTheCaptions) {
    MainWindow& w = window();
    const int german = control<QComboBox>(w, "language_selector")->findData("German");
    ASSERT_GE(german, 0);
    control<QComboBox>(w, "language_selector")->setCurrentIndex(german);
    emit control<QComboBox>(w, "language_selector")->activated(german);
    EXPECT_EQ(Settings().language(), "German");
    EXPECT_NE(control<QPushButton>(w, "cmd_split_run")->text(), "Split this PDF!");
    EXPECT_EQ(control<QLabel>(w, "label_app_name")->text(), "Splimera 1.0.0.0");
    EXPECT_TRUE(control<QComboBox>(w, "language_selector")->isEnabled());
    // Qt's own buttons (in message boxes and file dialogs) follow, from Qt's translations.
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Abbrechen");

    const int english = control<QComboBox>(w, "language_selector")->findData("English");
    control<QComboBox>(w, "language_selector")->setCurrentIndex(english);
    emit control<QComboBox>(w, "language_selector")->activated(english);
    EXPECT_EQ(control<QPushButton>(w, "cmd_split_run")->text(), "Split this PDF!");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
}

// The controls Tab reaches from `start` on, in the order it reaches them,
// that lie within `area`; hidden ones are left out, disabled ones are not.
std::vector<std::string> tabOrder(QWidget* start, const QWidget* area) {
    std::vector<std::string> names;
    for (QWidget* widget = start->nextInFocusChain(); widget != start; widget = widget->nextInFocusChain())
        if (area->isAncestorOf(widget) && (widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(area))
            names.push_back(widget->objectName().toStdString());
    return names;
}

// Tab goes along the tab row (the tabs, the language, the protection
// settings), then through each tab as its controls are laid out: the list and
// its buttons, the options from top to bottom and left to right, the run button.
TEST_F(MainWindowTest, TabFollowsTheLayoutOfEveryTab) {
    MainWindow& w = window();
    w.show();
    settle();
    auto* tabs = control<QTabWidget>(w, "PageControl1");
    const std::vector<std::string> tabRow = tabOrder(tabs->tabBar(), &w);
    EXPECT_EQ(std::vector<std::string>(tabRow.begin(), tabRow.begin() + 3),
              (std::vector<std::string>{"language_selector", "settingsButton", "SplitStringGrid"}));

    const std::map<std::string, std::vector<std::string>> expected = {
        {"TabSplit", {"SplitStringGrid", "splitBtnAddFile", "splitBtnRemoveFile", "r_split_method1",
                      "split_method1_input1", "r_split_method3", "split_method3_input1", "split_method3_input2",
                      "r_split_method4", "split_method4_input1", "split_method4_input2", "r_split_method2",
                      "split_method2_input1", "r_split_method5", "split_method5_input1", "split_method5_titles",
                      "r_split_method6", "split_method6_input1", "split_base_filename", "split_dest_source", "split_dest_other",
                      "split_destination_folder", "cmd_split_dest", "split_pages", "cmd_split_run"}},
        {"TabMerge", {"MergeStringGrid", "mergeBtnAddFile", "mergeBtnRemoveFile", "mergeBtnMoveUp",
                      "mergeBtnMoveDown", "merge_destination_filename", "cmd_merge_dest", "merge_bookmarks_keep",
                      "merge_bookmarks_per_file", "merge_bookmarks_none", "merge_pad_odd", "merge_pages", "cmd_merge"}},
        {"TabMix", {"MixStringGrid", "mixBtnAddFile", "mixBtnRemoveFile", "r_mix1_method1", "mix_doc1_method1_input1",
                    "mix_doc1_method1_input2", "r_mix1_method2", "mix_doc1_method2_input1", "mix_doc1_method2_input2",
                    "r_mix2_method1", "mix_doc2_method1_input1", "mix_doc2_method1_input2", "r_mix2_method2",
                    "mix_doc2_method2_input1", "mix_doc2_method2_input2", "mix_reverse_second", "mix_base_filename",
                    "mix_dest_source", "mix_dest_other", "mix_destination_folder", "cmd_mix_dest", "mix_single_file",
                    "mix_bookmarks_keep", "mix_bookmarks_per_file", "mix_bookmarks_none", "mix_pages", "cmd_mix_run"}},
        {"TabAbout", {"link_website", "LinkLabel1"}},
    };
    for (int tab = 0; tab < tabs->count(); ++tab) {
        QWidget* page = tabs->widget(tab);
        SCOPED_TRACE(page->objectName().toStdString());
        EXPECT_EQ(tabOrder(page, page), expected.at(page->objectName().toStdString()));
    }
    // An open panel of pages is reached before the button under it.
    control<QToolButton>(w, "merge_pages")->setChecked(true);
    settle();
    const std::vector<std::string> merge = tabOrder(tabs->widget(1), tabs->widget(1));
    EXPECT_EQ(std::vector<std::string>(merge.end() - 3, merge.end()),
              (std::vector<std::string>{"merge_pages_view", "merge_pages", "cmd_merge"}));
}

// A screen reader names every control Tab reaches in the chosen language:
// by its caption, or by the caption beside it.
TEST_F(MainWindowTest, EveryControlHasANameInTheChosenLanguage) {
    MainWindow& w = window();
    w.show();
    w.loadLanguage("German");
    settle();
    const auto nameOf = [&](const char* control) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(::control(w, control));
        return accessible ? accessible->text(QAccessible::Name).toStdString() : std::string();
    };
    auto* tabs = control<QTabWidget>(w, "PageControl1");
    std::vector<std::string> reached = tabOrder(tabs->tabBar(), tabs->cornerWidget());
    for (int tab = 0; tab < tabs->count(); ++tab) {
        const std::vector<std::string> onTab = tabOrder(tabs->widget(tab), tabs->widget(tab));
        reached.insert(reached.end(), onTab.begin(), onTab.end());
    }
    ASSERT_GT(reached.size(), 50u);
    for (const std::string& name : reached) EXPECT_NE(nameOf(name.c_str()), "") << name;
    // Linux screen readers take a drop-down list's name from a label beside
    // it, other systems from this name.
    EXPECT_EQ(control(w, "language_selector")->accessibleName().toStdString(), text("LanguageChoice"));
    const std::pair<const char*, std::string> names[] = {
        {"cmd_split_run", text("cmd_split_run")},
        {"mergeBtnMoveUp", text("mergeBtnMoveUp")},
        {"settingsButton", text("settingsButton")},
        {"split_method1_input1", text("r_split_method1")},
        {"split_method3_input2", text("Label14")},
        {"split_method6_input1", text("r_split_method6")},
        {"mix_doc2_method2_input1", text("r_mix2_method2")},
        {"split_base_filename", text("lbl_split_basefilename")},
        {"merge_destination_filename", text("lbl_mfile")},
        {"MixStringGrid", text("TabMix")},
        {"merge_pages_view", text("merge_pages")},
    };
    for (const auto& [control, name] : names) EXPECT_EQ(nameOf(control), name) << control;
    EXPECT_EQ(control<QToolButton>(w, "mergeBtnMoveUp")->toolTip().toStdString(), text("mergeBtnMoveUp"));
    EXPECT_EQ(text("LanguageChoice"), "Sprache");
}

// Arabic runs the window right to left: what stands left in a row stands right,
// the first tab is the rightmost; file names and paths still read left to right.
TEST_F(MainWindowTest, ArabicMirrorsTheWindowButNotThePaths) {
    MainWindow& w = window();
    dialogs.openAnswers = {{dir.file("a.pdf")}};
    control<QToolButton>(w, "splitBtnAddFile")->click();
    w.show();
    // Pairs that stand left, right in a left-to-right row.
    const std::pair<const char*, const char*> rows[] = {
        {"SplitStringGrid", "splitBtnAddFile"}, {"r_split_method1", "split_method1_input1"},
        {"split_destination_folder", "cmd_split_dest"}, {"lbl_mfile", "merge_destination_filename"},
        {"r_mix1_method1", "mix_doc1_method1_input1"}, {"language_selector", "settingsButton"},
        {"ab_lb4a", "link_website"},
    };
    const auto left = [&](const char* name) {
        showTabOf(w, name);
        return control(w, name)->mapTo(&w, QPoint(0, 0)).x();
    };
    for (const char* language : {"English", "Arabic", "English"}) {
        SCOPED_TRACE(language);
        w.loadLanguage(language);
        settle();
        const bool rightToLeft = std::string(language) == "Arabic";
        EXPECT_EQ(QGuiApplication::layoutDirection(), rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        for (const auto& [first, second] : rows)
            EXPECT_EQ(left(first) > left(second), rightToLeft) << first << " and " << second;
        const QTabBar* bar = control<QTabWidget>(w, "PageControl1")->tabBar();
        EXPECT_EQ(bar->tabRect(0).left() > bar->tabRect(1).left(), rightToLeft);
        // The groups under a grid start where the grid starts, in either direction.
        for (const auto& [grid, group] : {std::pair{"SplitStringGrid", "frm_split_method"}, std::pair{"MixStringGrid", "frm_mix_method"}}) {
            showTabOf(w, grid);
            const QRect gridPlace(control(w, grid)->mapTo(&w, QPoint(0, 0)), control(w, grid)->size());
            const QRect groupPlace(control(w, group)->mapTo(&w, QPoint(0, 0)), control(w, group)->size());
            EXPECT_EQ(rightToLeft ? groupPlace.right() : groupPlace.left(), rightToLeft ? gridPlace.right() : gridPlace.left())
                << group;
        }
        // A closed panel of pages points the way the lines run.
        EXPECT_EQ(control<QToolButton>(w, "split_pages")->arrowType(), rightToLeft ? Qt::LeftArrow : Qt::RightArrow);
    }
    w.loadLanguage("Arabic");
    EXPECT_TRUE(control<QLabel>(w, "statusPanel")->text().isRightToLeft()) << "the status line runs from the right";
    // The range example's numbers read left to right inside the Arabic line.
    EXPECT_TRUE(control<QLabel>(w, "lbl_split_demo")->text().endsWith(QChar(0x2066) + QStringLiteral("1-4,6,9-10;5,6;12;20-21,23;") + QChar(0x2069)));
    showTabOf(w, "link_website");
    const QRect caption(control(w, "ab_lb4a")->mapTo(&w, QPoint(0, 0)), control(w, "ab_lb4a")->size());
    const QRect link(control(w, "link_website")->mapTo(&w, QPoint(0, 0)), control(w, "link_website")->size());
    EXPECT_LE(caption.left() - link.right(), 20) << "an address stands beside its caption";
    EXPECT_EQ(control(w, "split_destination_folder")->layoutDirection(), Qt::LeftToRight);
    EXPECT_EQ(control(w, "merge_destination_filename")->layoutDirection(), Qt::LeftToRight);
    auto* grid = control<QTableView>(w, "SplitStringGrid");
    for (int column : {1, 2}) {
        const auto* delegate = qobject_cast<QStyledItemDelegate*>(grid->itemDelegateForColumn(column));
        ASSERT_NE(delegate, nullptr);
        const QString text = grid->model()->index(0, column).data().toString();
        const QString shown = delegate->displayText(text, QLocale());
        EXPECT_EQ(shown, QChar(0x2066) + text + QChar(0x2069));
    }
    w.loadLanguage("English");
}

TEST_F(MainWindowTest, LinkClicksOpenTheirAddress) {
    MainWindow& w = window();
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("https", &catcher, "open");
    emit control<QLabel>(w, "link_website")->linkActivated("https://example.org/site");
    emit control<QLabel>(w, "LinkLabel1")->linkActivated("https://example.org/help");
    QDesktopServices::unsetUrlHandler("https");
    EXPECT_EQ(catcher.opened, (QList<QUrl>{QUrl("https://example.org/site"), QUrl("https://example.org/help")}));
    EXPECT_TRUE(control<QLabel>(w, "link_website")->text().contains("<a href="));
}

}  // namespace

#include "main_window_test.moc"
