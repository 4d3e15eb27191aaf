#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <stdexcept>

#include "screenshots.h"
#include "support/coloured_pdfs.h"
#include "support/fixtures.h"
#include "support/scripted_dialogs.h"
#include "ui/main_window.h"
#include "ui/page_preview.h"
#include "ui/page_service.h"
#include "ui/page_strip.h"

namespace {

// Pages in turning colours, so that the cuts show.
std::string colourfulPdf(const QTemporaryDir& folder, const char* name, int pages, int hueStart) {
    std::vector<fixtures::ColouredPage> sheets;
    for (int page = 0; page < pages; ++page) {
        const QColor colour = QColor::fromHsv((hueStart + page * 37) % 360, 90, 240);
        sheets.push_back({595, 842, {colour.red(), colour.green(), colour.blue()}, {250, 250, 250}});
    }
    const std::string path = folder.filePath(QString::fromLatin1(name)).toStdString();
    fixtures::writeFile(path, fixtures::colouredPdf(sheets, true));
    return path;
}

// Opens the panel of pages and waits until the pages it shows are drawn.
void waitForPictures(MainWindow& window, ListKind kind) {
    window.show();
    PagePreview& preview = *window.findChild<PagePreview*>();
    preview.strip(kind).setOpen(true);
    PageService& service = preview.service();
    QTest::qWait(200);
    if (!QTest::qWaitFor([&] { return service.waitingCount() == 0; }, 30000))
        throw std::runtime_error("the pages to picture were never drawn");
}

}  // namespace

// The Split tab with the cuts of a range list (also in a large window, the
// panel grown), the Mix tab with the page
// order of its first file, and the Merge tab with the merged order, on a
// 1024 x 768 screen.
void takePageStripScreenshots(const QString& folder) {
    QTemporaryDir samples;
    {
        ScriptedDialogs dialogs;
        MainWindow window(dialogs);
        window.addFile(ListKind::Split, colourfulPdf(samples, "brochure.pdf", 24, 0));
        window.findChild<QRadioButton*>(QStringLiteral("r_split_method2"))->setChecked(true);
        window.findChild<QLineEdit*>(QStringLiteral("split_method2_input1"))->setText(QStringLiteral("1-4;5,6;9-12"));
        window.resize(1000, 690);
        waitForPictures(window, ListKind::Split);
        saveScreenshot(window, folder + "/pages-split.png");
        // A larger window gives its height to the open panel, and the pictures grow with it.
        window.resize(1200, 960);
        QTest::qWait(300);
        if (!QTest::qWaitFor([&] { return window.findChild<PagePreview*>()->service().waitingCount() == 0; }, 30000))
            throw std::runtime_error("the grown pages were never drawn");
        saveScreenshot(window, folder + "/pages-large-window.png");
    }
    {
        ScriptedDialogs dialogs;
        MainWindow window(dialogs);
        window.openOnTab(WindowTab::Mix);
        window.addFile(ListKind::Mix, colourfulPdf(samples, "fronts.pdf", 9, 0));
        window.addFile(ListKind::Mix, colourfulPdf(samples, "backs.pdf", 9, 180));
        window.resize(1000, 690);
        waitForPictures(window, ListKind::Mix);
        saveScreenshot(window, folder + "/pages-mix.png");
    }
    {
        ScriptedDialogs dialogs;
        MainWindow window(dialogs);
        window.openOnTab(WindowTab::Merge);
        window.addFile(ListKind::Merge, colourfulPdf(samples, "cover.pdf", 2, 200));
        window.addFile(ListKind::Merge, colourfulPdf(samples, "report.pdf", 12, 0));
        window.addFile(ListKind::Merge, colourfulPdf(samples, "appendix.pdf", 5, 120));
        window.resize(1000, 690);
        waitForPictures(window, ListKind::Merge);
        saveScreenshot(window, folder + "/pages-merge.png");
    }
}
