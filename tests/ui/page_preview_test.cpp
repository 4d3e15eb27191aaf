#include <gtest/gtest.h>

#include <QLineEdit>
#include <QLabel>
#include <QListView>
#include <QWheelEvent>
#include <QRadioButton>
#include <QCheckBox>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QTest>
#include <filesystem>
#include <map>

#include "qt_application.h"
#include "support/coloured_pdfs.h"
#include "support/fixtures.h"
#include "support/private_config.h"
#include "support/scripted_dialogs.h"
#include "ui/file_grid.h"
#include "ui/main_window.h"
#include "ui/page_preview.h"
#include "ui/page_service.h"
#include "ui/page_strip.h"
#include "ui/widget_names.h"
#include "window_controls.h"

namespace {

using fixtures::ColouredPage;
using fixtures::TempDir;

constexpr int Patience = 20000;  // milliseconds a page may take in a busy test run

QColor pixel(const QModelIndex& cell, int x, int y) {
    return cell.data(Qt::DecorationRole).value<QIcon>().pixmap(PagePreview::thumbnailBox()).toImage().pixelColor(x, y);
}

// A cell of a grid's list, row 0 the first file.
QModelIndex cellOf(MainWindow& w, const char* grid, int row, int column) {
    return control<QTableView>(w, grid)->model()->index(row, column);
}

bool near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) <= 8 && std::abs(a.green() - b.green()) <= 8 &&
           std::abs(a.blue() - b.blue()) <= 8;
}

class PagePreviewTest : public ::testing::Test {
protected:
    void SetUp() override { ensureQtApplication(); }
    MainWindow& window() {
        if (!window_) window_ = std::make_unique<MainWindow>(dialogs);
        return *window_;
    }
    PagePreview& preview() { return *window().findChild<PagePreview*>(); }
    PageStripModel& strip(ListKind kind) { return preview().strip(kind).model(); }

    // A one-page file of 100 x 200 points, red on its left half and blue on its right.
    std::string redBluePage() {
        fixtures::writeFile(dir.file("colours.pdf"),
                            fixtures::colouredPdf({ColouredPage{100, 200, {255, 0, 0}, {0, 0, 255}}}, true));
        return dir.file("colours.pdf");
    }
    // The window shown with redBluePage() to split and the Split panel of pages open.
    MainWindow& windowSplittingRedBluePage() {
        MainWindow& w = window();
        w.addFile(ListKind::Split, redBluePage());
        w.show();
        preview().strip(ListKind::Split).setOpen(true);
        return w;
    }

    // Each row of a strip: its caption, its marks in brackets, "-" for a page no output takes.
    static std::string rows(const PageStripModel& model) {
        std::string text;
        for (int row = 0; row < model.rowCount(); ++row) {
            const QModelIndex index = model.index(row);
            const QString marks = index.data(PageStripModel::MarksRole).toString();
            text += (text.empty() ? "" : " ") + index.data(Qt::DisplayRole).toString().toStdString();
            if (!marks.isEmpty()) text += "[" + marks.toStdString() + "]";
            if (!index.data(PageStripModel::TakenRole).toBool()) text += "-";
        }
        return text;
    }
    // Only the marked pages, as "page[marks]".
    static std::string marks(const PageStripModel& model) {
        std::string text;
        for (int row = 0; row < model.rowCount(); ++row)
            if (const QString marks = model.index(row).data(PageStripModel::MarksRole).toString(); !marks.isEmpty())
                text += (text.empty() ? "" : " ") + std::to_string(row + 1) + "[" + marks.toStdString() + "]";
        return text;
    }
    static int untaken(const PageStripModel& model) {
        int count = 0;
        for (int row = 0; row < model.rowCount(); ++row)
            count += model.index(row).data(PageStripModel::TakenRole).toBool() ? 0 : 1;
        return count;
    }

    TempDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window_;
};

// The grids show the first page of each file as it is, once it is drawn apart
// from the window, a protected file with the password it was opened with; the
// strip shows every page.
TEST_F(PagePreviewTest, PicturesShowThePagesAsTheyAre) {
    fixtures::writeFile(dir.file("colours.pdf"), fixtures::colouredPdf({ColouredPage{100, 200, {255, 0, 0}, {0, 0, 255}},
                                                                        ColouredPage{100, 200, {0, 255, 0}, {0, 255, 0}}},
                                                                       true));
    fixtures::writeMarkedPdf(dir.file("locked.pdf"), "L", 2, fixtures::PdfOptions().withPassword("pw"));
    dialogs.textAnswers = {"pw"};
    MainWindow& w = window();
    w.addFile(ListKind::Merge, dir.file("locked.pdf"));
    w.addFile(ListKind::Merge, dir.file("colours.pdf"));
    w.addFile(ListKind::Split, dir.file("colours.pdf"));

    const QModelIndex split = cellOf(w, widgetName::splitGrid, 0, 1);
    const QModelIndex locked = cellOf(w, widgetName::mergeGrid, 0, 1);
    const QModelIndex merged = cellOf(w, widgetName::mergeGrid, 1, 1);
    // A page of 100 x 200 points fits the box as 10 x 20 pixels: red on the left, blue on the right.
    for (const QModelIndex& item : {split, merged}) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return near(pixel(item, 1, 10), Qt::red); }, Patience));
        EXPECT_TRUE(near(pixel(item, 8, 10), Qt::blue));
        EXPECT_TRUE(near(pixel(item, 8, 1), Qt::blue));
    }
    // The placeholder is grey; the drawn page white away from its marker at the top left.
    EXPECT_TRUE(QTest::qWaitFor([&] { return near(pixel(locked, 12, 17), Qt::white); }, Patience));

    // The split file's strip: its pages as large as the box allows, with their labels once drawn.
    const PageStripModel& pages = strip(ListKind::Split);
    for (int row : {0, 1})
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return pages.index(row).data(PageStripModel::StateRole) == PageStripModel::Drawn; }, Patience));
    EXPECT_EQ(rows(pages), "1 (i)[1] 2 (ii)[2]");
    const QImage second = pages.index(1).data(Qt::DecorationRole).value<QPixmap>().toImage();
    EXPECT_EQ(second.size(), QSize(30, 60));
    EXPECT_TRUE(near(second.pixelColor(5, 30), Qt::green));
}

// A file's tip shows its first page large enough to tell it by.
TEST_F(PagePreviewTest, AFilesTipShowsItsFirstPageLarge) {
    MainWindow& w = window();
    w.addFile(ListKind::Merge, redBluePage());
    const QModelIndex item = cellOf(w, widgetName::mergeGrid, 0, 1);
    const QString prefix = QStringLiteral("<img src=\"data:image/png;base64,");
    ASSERT_TRUE(QTest::qWaitFor([&] { return item.data(Qt::ToolTipRole).toString().startsWith(prefix); }, Patience));
    const QString tip = item.data(Qt::ToolTipRole).toString();
    const QByteArray png = QByteArray::fromBase64(tip.mid(prefix.size(), tip.size() - prefix.size() - 2).toLatin1());
    const QImage picture = QImage::fromData(png, "PNG");
    EXPECT_EQ(picture.size(), QSize(120, 240)) << "100 x 200 points fitted to the tip's box";
    EXPECT_TRUE(near(picture.pixelColor(10, 120), Qt::red));
    EXPECT_TRUE(near(picture.pixelColor(110, 120), Qt::blue));
    QLabel shown(tip);  // as the tip's own label shows it
    const QImage drawn = shown.grab().toImage();
    EXPECT_GE(drawn.height(), 240);
    EXPECT_TRUE(near(drawn.pixelColor(10, 120), Qt::red));
}

// Ctrl and the mouse wheel over the pages make their pictures larger or
// smaller, within bounds; the panel grows with them.
TEST_F(PagePreviewTest, CtrlAndTheWheelSizeThePictures) {
    MainWindow& w = windowSplittingRedBluePage();
    PageStrip& panel = preview().strip(ListKind::Split);
    QCoreApplication::processEvents();
    w.resize(w.minimumSizeHint());  // the panel at its least height
    QCoreApplication::processEvents();
    QWidget* viewport = panel.view()->viewport();
    const auto wheel = [&](int notches, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(QPointF(20, 20), viewport->mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(0, 120 * notches),
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(viewport, &event);
    };
    const int leastHeight = panel.view()->minimumHeight();
    const std::pair<int, int> cases[] = {{1, 80}, {2, 120}, {-1, 100}, {-10, 60}, {20, 240}};
    for (const auto& [notches, height] : cases) {
        for (int i = 0; i < std::abs(notches); ++i) wheel(notches > 0 ? 1 : -1, Qt::ControlModifier);
        EXPECT_EQ(panel.currentPictureBox(), QSize(height * 4 / 5, height)) << notches;
    }
    EXPECT_EQ(panel.view()->minimumHeight(), leastHeight + 240 - 60) << "the panel grows with its pictures";
    EXPECT_GE(panel.view()->height(), panel.view()->minimumHeight());
    wheel(-1, Qt::NoModifier);  // scrolls, and leaves the size
    EXPECT_EQ(panel.currentPictureBox().height(), 240);

    const PageStripModel& pages = strip(ListKind::Split);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return pages.index(0).data(PageStripModel::StateRole) == PageStripModel::Drawn; }, Patience));
    EXPECT_EQ(pages.index(0).data(Qt::DecorationRole).value<QPixmap>().height(), 240) << "drawn at the new size";
}

// In a taller window the open panel takes the extra height, in Merge shared
// with the file list, and its pictures grow with it; at the least height, and
// with the panel closed, every tab keeps the layout of a small window.
TEST_F(PagePreviewTest, AnOpenPanelTakesTheRoomOfATallWindow) {
    MainWindow& w = windowSplittingRedBluePage();
    auto* tabs = w.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    const auto settled = [&](QSize size) {
        w.resize(size);
        for (int tab = 0; tab < 3; ++tab) {  // a hidden tab is laid out as it shows
            tabs->setCurrentIndex(tab);
            QCoreApplication::processEvents();
            QCoreApplication::processEvents();
        }
    };
    const ListKind kinds[] = {ListKind::Split, ListKind::Merge, ListKind::Mix};
    const auto gridOf = [&](ListKind kind) {
        const char* names[] = {"SplitStringGrid", "MergeStringGrid", "MixStringGrid"};
        return w.findChild<QTableView*>(names[kind == ListKind::Split ? 0 : kind == ListKind::Merge ? 1 : 2]);
    };
    settled(w.size());  // a hidden tab's least size counts once it showed
    const QSize smallest = w.minimumSizeHint().expandedTo(w.minimumSize());
    settled(smallest);
    int smallestPictures = PageStrip::largestGrownHeight();
    for (ListKind kind : kinds)
        smallestPictures = std::min(smallestPictures, preview().strip(kind).currentPictureBox().height());
    EXPECT_EQ(smallestPictures, PageStrip::pictureBox().height()) << "the tallest tab at its least height";

    // From a height where every tab has its room (a tab whose options wrap
    // their lines may want more than the window's least height).
    const QSize base = smallest + QSize(0, 40);
    settled(base);
    std::map<ListKind, std::pair<int, int>> least;  // the view's and the grid's heights
    for (ListKind kind : kinds) least[kind] = {preview().strip(kind).view()->height(), gridOf(kind)->height()};
    constexpr int Extra = 200;
    settled(base + QSize(0, Extra));
    for (ListKind kind : kinds) {
        SCOPED_TRACE(static_cast<int>(kind));
        const PageStrip& panel = preview().strip(kind);
        const int viewGrowth = panel.view()->height() - least[kind].first;
        const int gridGrowth = gridOf(kind)->height() - least[kind].second;
        if (kind == ListKind::Merge) {
            EXPECT_GT(viewGrowth, Extra / 4);
            EXPECT_GT(gridGrowth, Extra / 4);
            EXPECT_EQ(viewGrowth + gridGrowth, Extra);
        } else {
            EXPECT_EQ(viewGrowth, Extra) << "no blank band above the panel";
            EXPECT_EQ(gridGrowth, 0);
        }
        // As tall as the view's room for them, in steps of 20 pixels.
        const int room = panel.view()->height() - (panel.view()->minimumHeight() - PageStrip::pictureBox().height());
        const int pictures = panel.currentPictureBox().height();
        EXPECT_GT(pictures, room - 20);
        EXPECT_LE(pictures, room);
    }
    const PageStripModel& pages = strip(ListKind::Split);
    const int grown = preview().strip(ListKind::Split).currentPictureBox().height();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return pages.index(0).data(PageStripModel::StateRole) == PageStripModel::Drawn; }, Patience));
    EXPECT_EQ(pages.index(0).data(Qt::DecorationRole).value<QPixmap>().height(), grown) << "drawn at the grown size";

    settled(base + QSize(0, 3000));
    for (ListKind kind : kinds)
        EXPECT_EQ(preview().strip(kind).currentPictureBox().height(), PageStrip::largestGrownHeight());

    preview().strip(ListKind::Split).setOpen(false);
    settled(base + QSize(0, Extra));
    for (ListKind kind : {ListKind::Split, ListKind::Mix})
        EXPECT_EQ(gridOf(kind)->height(), least[kind].second) << "the blank under the options takes the room";
}

// A split by size is cut as its files are weighed: the panel says so instead
// of marking cuts.
TEST_F(PagePreviewTest, ASplitBySizeSaysWhyItMarksNoCut) {
    fixtures::writeMarkedPdf(dir.file("a.pdf"), "A", 3);
    MainWindow& w = window();
    w.addFile(ListKind::Split, dir.file("a.pdf"));
    PageStrip& panel = preview().strip(ListKind::Split);
    control<QRadioButton>(w, widgetName::splitBySize)->setChecked(true);
    EXPECT_NE(panel.note().toStdString().find("decided while the files are written"), std::string::npos);
    EXPECT_EQ(marks(strip(ListKind::Split)), "");
    control<QRadioButton>(w, widgetName::splitIntoFilesOf)->setChecked(true);
    EXPECT_EQ(panel.note(), QString());
    EXPECT_EQ(marks(strip(ListKind::Split)), "1[1] 2[2] 3[3]");
}

// The Split tab's strip marks the first page of each output file of the chosen
// method and follows the numbers and the range list as they are typed.
TEST_F(PagePreviewTest, SplitStripMarksWhereEachMethodCuts) {
    fixtures::writeMarkedPdf(dir.file("twenty.pdf"), "P", 20,
                             fixtures::PdfOptions().withBookmarks(
                                 {{"One", 1, 4}, {"One.a", 2, 6}, {"Two", 1, 12}}));
    MainWindow& w = window();
    w.addFile(ListKind::Split, dir.file("twenty.pdf"));
    struct Case {
        const char* method;
        std::vector<std::pair<const char*, const char*>> fields;
        std::string marks;
        int untaken;
    } cases[] = {
        {widgetName::splitIntoFilesOf, {{widgetName::splitFilesOfSize, "6"}}, "1[1] 7[2] 13[3] 19[4]", 0},
        {widgetName::splitEveryGroupOf,
         {{widgetName::splitGroupSize, "8"}, {widgetName::splitGroupStart, "3"}},
         "3[1] 11[2] 19[3]",
         2},
        {widgetName::splitEach, {{widgetName::splitEachStep, "5"}, {widgetName::splitEachStart, "1"}},
         "5[1] 10[2] 15[3] 20[4]",
         16},
        // Group 3 takes no page and writes no file, but keeps its number.
        {widgetName::splitByRange, {{widgetName::splitRangeList, "5-7;1,2;30;9"}}, "1[2] 5[1] 9[4]", 14},
        {widgetName::splitByRange, {{widgetName::splitRangeList, "1,2;3"}}, "1[1] 3[2]", 17},
        // A list that cannot be read yet marks nothing.
        {widgetName::splitByRange, {{widgetName::splitRangeList, "1,2;3-"}}, "", 0},
        // Pages before the first bookmark make a file of their own.
        {widgetName::splitByBookmarks, {{widgetName::splitBookmarkLevel, "1"}}, "1[1] 4[2] 12[3]", 0},
        {widgetName::splitByBookmarks, {{widgetName::splitBookmarkLevel, "2"}}, "1[1] 4[2] 6[3] 12[4]", 0},
    };
    for (const Case& c : cases) {
        control<QRadioButton>(w, c.method)->setChecked(true);
        for (auto [field, text] : c.fields) control<QLineEdit>(w, field)->setText(QString::fromLatin1(text));
        const std::string name = std::string(c.method) + " " + c.fields.back().second;
        EXPECT_EQ(marks(strip(ListKind::Split)), c.marks) << name;
        EXPECT_EQ(untaken(strip(ListKind::Split)), c.untaken) << name;
        EXPECT_EQ(strip(ListKind::Split).rowCount(), 20);
    }
}

// The outline is read once for the listed file: typed levels mark their cuts
// from it although the file has since become unreadable.
TEST_F(PagePreviewTest, TypedBookmarkLevelsUseTheOutlineKeptWithTheFile) {
    fixtures::writeMarkedPdf(dir.file("twenty.pdf"), "P", 20,
                             fixtures::PdfOptions().withBookmarks({{"One", 1, 4}, {"One.a", 2, 6}, {"Two", 1, 12}}));
    MainWindow& w = window();
    w.addFile(ListKind::Split, dir.file("twenty.pdf"));
    control<QRadioButton>(w, widgetName::splitByBookmarks)->setChecked(true);
    EXPECT_EQ(marks(strip(ListKind::Split)), "1[1] 4[2] 12[3]");
    fixtures::writeFile(dir.file("twenty.pdf"), "no longer a PDF");
    control<QLineEdit>(w, widgetName::splitBookmarkLevel)->setText("2");
    EXPECT_EQ(marks(strip(ListKind::Split)), "1[1] 4[2] 6[3] 12[4]");
}

// The Mix tab's strip shows the pages of the first file the mix writes, in its order.
TEST_F(PagePreviewTest, MixStripShowsThePageOrderOfTheFirstOutput) {
    fixtures::writeMarkedPdf(dir.file("a.pdf"), "A", 5);
    fixtures::writeMarkedPdf(dir.file("b.pdf"), "B", 3);
    MainWindow& w = window();
    w.addFile(ListKind::Mix, dir.file("a.pdf"));
    EXPECT_EQ(rows(strip(ListKind::Mix)), "1 2 3 4 5");
    w.addFile(ListKind::Mix, dir.file("b.pdf"));
    EXPECT_EQ(rows(strip(ListKind::Mix)), "1: 1[1] 1: 2 1: 3 2: 1 2: 2 2: 3");
    control<QLineEdit>(w, widgetName::mixFirstMethod.groupCount)->setText("2");
    control<QCheckBox>(w, widgetName::mixReverseSecond)->setChecked(true);
    EXPECT_EQ(rows(strip(ListKind::Mix)), "1: 1[1] 1: 2 2: 3 2: 2 2: 1");
    control<QCheckBox>(w, widgetName::mixSingleFile)->setChecked(true);
    EXPECT_EQ(rows(strip(ListKind::Mix)),
              "1: 1[1] 1: 2 2: 3 2: 2 2: 1 1: 3[2] 1: 4 2: 3 2: 2 2: 1 1: 5[3] 2: 3 2: 2 2: 1");
}

// The Merge tab's strip shows the merged pages, each file's first marked with
// its number, from the selected file on; a strip without its file is empty.
TEST_F(PagePreviewTest, StripsFollowTheSelectionAndTheFiles) {
    fixtures::writeMarkedPdf(dir.file("a.pdf"), "A", 40);
    fixtures::writeMarkedPdf(dir.file("b.pdf"), "B", 2);
    MainWindow& w = window();
    w.addFile(ListKind::Merge, dir.file("a.pdf"));
    w.addFile(ListKind::Merge, dir.file("b.pdf"));
    w.addFile(ListKind::Split, dir.file("b.pdf"));
    auto* grid = control<FileGrid>(w, widgetName::mergeGrid);
    EXPECT_EQ(strip(ListKind::Merge).rowCount(), 42);
    EXPECT_EQ(marks(strip(ListKind::Merge)), "1[1] 41[2]");
    w.show();
    w.showTab(WindowTab::Merge);
    preview().strip(ListKind::Merge).setOpen(true);
    QListView* view = preview().strip(ListKind::Merge).view();
    grid->setCurrentCell(1, 1);
    QCoreApplication::processEvents();
    const auto shows = [&](int row) { return view->viewport()->rect().intersects(view->visualRect(view->model()->index(row, 0))); };
    EXPECT_TRUE(shows(40)) << "b.pdf's first page";
    EXPECT_FALSE(shows(0));
    grid->setCurrentCell(0, 1);
    QCoreApplication::processEvents();
    EXPECT_TRUE(shows(0));
    EXPECT_EQ(strip(ListKind::Split).rowCount(), 2);
    control<QToolButton>(w, widgetName::splitRemoveButton)->click();
    EXPECT_EQ(strip(ListKind::Split).rowCount(), 0);
}

// Open, the panel leaves the window small enough for a 1024 x 768 screen, and
// it asks only for the pages it shows: a long file costs a screenful.
TEST_F(PagePreviewTest, OpenPanelFitsASmallScreenAndDrawsOnlyWhatShows) {
    fixtures::writeMarkedPdf(dir.file("long.pdf"), "P", 400);
    MainWindow& w = window();
    w.show();
    w.addFile(ListKind::Split, dir.file("long.pdf"));
    PageStrip& strip = preview().strip(ListKind::Split);
    const PageService& service = preview().service();
    EXPECT_FALSE(strip.isVisible());
    strip.toggle()->click();
    for (ListKind kind : {ListKind::Split, ListKind::Merge, ListKind::Mix}) EXPECT_TRUE(preview().strip(kind).isOpen());
    EXPECT_TRUE(strip.isVisible());

    const QSize smallest = w.minimumSizeHint().expandedTo(w.minimumSize());
    EXPECT_LE(smallest.width(), 1024 - 16);
    EXPECT_LE(smallest.height(), 768 - 100);
    w.resize(smallest);
    ASSERT_TRUE(QTest::qWaitFor([&] { return service.cache().count() > 2 && service.waitingCount() == 0; }, Patience));
    const int placesShown = strip.view()->viewport()->width() / PageStrip::pictureBox().width() + 1;
    EXPECT_LE(service.cache().count(), placesShown + 1) << "the pages shown and the grid's picture";

    strip.view()->horizontalScrollBar()->setValue(strip.view()->horizontalScrollBar()->maximum());
    const QModelIndex last = strip.model().index(399);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return last.data(PageStripModel::StateRole) == PageStripModel::Drawn && service.waitingCount() == 0; },
        Patience));
    EXPECT_LE(service.cache().count(), 2 * placesShown + 1);
}

// A page that cannot be drawn, or takes too long, or whose drawing crashes,
// shows a crossed-out sheet and a tip that says why; the next page is asked of
// a fresh process, and the window goes on.
TEST_F(PagePreviewTest, PagesThatCannotBeDrawnShowAPlaceholder) {
    fixtures::writeFile(dir.file("damaged.pdf"), "%PDF-1.7\nthis is no PDF");
    // Stand-ins for a drawing process that hangs and one that crashes on every page.
    for (auto [name, script] : {std::pair{"hang", "exec sleep 60"}, std::pair{"crash", "kill -SEGV $$"}}) {
        fixtures::writeFile(dir.file(name), std::string("#!/bin/sh\n") + script + "\n");
        std::filesystem::permissions(dir.file(name), std::filesystem::perms::owner_all);
    }
    PageService drawing(nullptr);
    PageService hanging(nullptr, QString::fromStdString(dir.file("hang")));
    PageService crashing(nullptr, QString::fromStdString(dir.file("crash")));
    hanging.setTimeLimit(300);
    struct Case {
        PageService& service;
        std::string reason;
    } cases[] = {{drawing, "This page could not be drawn.\nFile not in PDF format or corrupted"},
                 {hanging, "This page took too long to draw."},
                 {crashing, "This page could not be drawn."}};
    for (const Case& c : cases) {
        PageStripModel model(c.service, {40, 40}, [](const std::string&) { return std::string(); }, nullptr);
        model.setPages({{dir.file("damaged.pdf"), "", ""}}, plainStripPages(2));
        for (int row : {0, 1}) EXPECT_EQ(model.index(row).data(PageStripModel::StateRole), PageStripModel::Waiting);
        for (int row : {0, 1}) {
            ASSERT_TRUE(QTest::qWaitFor(
                [&] { return model.index(row).data(PageStripModel::StateRole) == PageStripModel::Failed; }, Patience))
                << c.reason << " " << row;
            EXPECT_NE(model.index(row).data(Qt::ToolTipRole).toString().toStdString().find(c.reason), std::string::npos);
            EXPECT_FALSE(model.index(row).data(Qt::DecorationRole).value<QPixmap>().isNull());
        }
    }
}

}  // namespace
