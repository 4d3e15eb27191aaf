#include <QCoreApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <stdexcept>
#include <string>
#include <utility>

#include "screenshots.h"
#include "settings/settings.h"
#include "support/fixtures.h"
#include "support/scripted_dialogs.h"
#include "ui/main_window.h"

namespace {

template <typename Control>
Control& control(MainWindow& window, const char* name) {
    auto* found = window.findChild<Control*>(QString::fromLatin1(name));
    if (!found) throw std::runtime_error(std::string("the window has no ") + name);
    return *found;
}

// Sample files for the lists, made as the tests make theirs.
struct Samples {
    QTemporaryDir folder;
    std::string file(const char* name, int pages) {
        const std::string path = folder.filePath(QString::fromLatin1(name)).toStdString();
        fixtures::writeMarkedPdf(path, "P", pages);
        return path;
    }
};

// A split of a long file, pictured while it runs: the run button reads
// Cancel, the other controls are disabled. The job is then cancelled.
void saveJobInProgress(MainWindow& window, ScriptedDialogs& dialogs, Samples& samples, const QString& path) {
    dialogs.openAnswers = {{samples.file("annual-report.pdf", 600)}};
    control<QToolButton>(window, "splitBtnAddFile").click();
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) throw std::runtime_error("the window to picture was never shown");
    bool taken = false, saved = false;
    QObject::connect(&control<QProgressBar>(window, "ProgressBarSplit"), &QProgressBar::valueChanged, &window,
                     [&](int value) {
                         if (taken || value < 30) return;
                         taken = true;
                         QCoreApplication::processEvents();
                         saved = window.grab().save(path);
                         control<QPushButton>(window, "cmd_split_run").click();
                     });
    QSignalSpy finished(&window, &MainWindow::jobFinished);
    control<QPushButton>(window, "cmd_split_run").click();
    if (!finished.wait(120000)) throw std::runtime_error("the split to picture never ended");
    if (!taken) throw std::runtime_error(path.toStdString() + ": the job ended before it could be pictured");
    if (!saved) throw std::runtime_error(path.toStdString() + ": cannot be written");
}

}  // namespace

// A picture of every tab of the main window, in English, German, Japanese and
// Arabic (right to left, with files in the merge list to show their paths
// still reading left to right); the window at its smallest and wide with
// files listed; a job in progress.
void takeMainWindowScreenshots(const QString& folder) {
    Samples samples;
    const std::pair<const char*, const char*> languages[] = {
        {"English", "main"}, {"German", "german"}, {"Japanese", "japanese"}, {"Arabic", "arabic"}};
    const char* tabs[] = {"split", "merge", "mix", "about"};
    for (const auto& [language, prefix] : languages) {
        Settings().setLanguage(language);
        ScriptedDialogs dialogs;
        MainWindow window(dialogs);
        if (std::string(language) == "Japanese" || std::string(language) == "Arabic") {
            dialogs.openAnswers = {{samples.file("chapter-1.pdf", 12), samples.file("chapter-2.pdf", 9)}};
            control<QToolButton>(window, "mergeBtnAddFile").click();
        }
        for (int tab = 0; tab < 4; ++tab) {
            window.showTab(static_cast<WindowTab>(tab));
            saveScreenshot(window, folder + "/" + prefix + "-" + tabs[tab] + ".png");
        }
    }

    Settings().setLanguage("English");
    {
        ScriptedDialogs dialogs;
        MainWindow window(dialogs);
        window.show();
        window.resize(window.minimumSizeHint().expandedTo(window.minimumSize()));
        saveScreenshot(window, folder + "/narrow-window.png");
    }
    {
        ScriptedDialogs dialogs;
        MainWindow window(dialogs);
        dialogs.openAnswers = {{samples.file("chapter-1.pdf", 12), samples.file("chapter-2.pdf", 9),
                                samples.file("appendix.pdf", 4)}};
        window.openOnTab(WindowTab::Merge);
        control<QToolButton>(window, "mergeBtnAddFile").click();
        window.show();
        window.resize(1500, 820);
        saveScreenshot(window, folder + "/wide-window.png");
    }
    {
        ScriptedDialogs dialogs;
        MainWindow window(dialogs);
        saveJobInProgress(window, dialogs, samples, folder + "/job-in-progress.png");
    }
}
