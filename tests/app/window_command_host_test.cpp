#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <filesystem>
#include <sstream>

#include "app/window_command_host.h"
#include "app/window_switches.h"
#include "support/fixtures.h"
#include "support/private_config.h"
#include "support/scripted_dialogs.h"
#include "ui/main_window.h"
#include "ui/qt_application.h"

namespace {

using fixtures::TempDir;

// The window as "-s" and "-m" leave it, from a folder the test then leaves,
// as the window's user may browse elsewhere before running the job.
class WindowFromTheCommandLine : public ::testing::Test {
protected:
    void SetUp() override {
        fixtures::writeMarkedPdf(dir.file("a.pdf"), "A", 2);
        fixtures::writeMarkedPdf(dir.file("b.pdf"), "B", 1);
    }
    std::optional<int> run(const std::vector<std::string>& arguments) {
        const std::filesystem::path before = std::filesystem::current_path();
        std::filesystem::current_path(dir.path());
        const std::optional<int> exitCode = WindowSwitches(host, console, errors).run(arguments);
        std::filesystem::current_path(before);
        return exitCode;
    }
    // Clicks a run button and waits for the job it starts.
    void click(const char* button) {
        QSignalSpy finished(&window, &MainWindow::jobFinished);
        window.findChild<QPushButton*>(button)->click();
        ASSERT_TRUE(finished.wait(60000));
    }

    const bool qtStarted = (ensureQtApplication(), true);  // before the window
    TempDir dir;
    ScriptedDialogs dialogs;
    MainWindow window{dialogs};
    WindowCommandHost host{window, dialogs};
    std::ostringstream console, errors;
};

TEST_F(WindowFromTheCommandLine, MergeListsRelativeFilesAndShowsTheMissingOnceOpen) {
    EXPECT_EQ(run({"-m", "a.pdf", "missing.pdf", "b.pdf"}), std::nullopt);
    EXPECT_TRUE(dialogs.messages.empty()) << "nothing shows before the window";
    window.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogs.messages,
              std::vector<std::string>{"These files were not added to the Merge list:\nmissing.pdf: does not exist"});

    EXPECT_EQ(window.findChild<QTableView*>("MergeStringGrid")->model()->index(0, 2).data().toString().toStdString(),
              std::filesystem::canonical(dir.path()).string() + "/");
    click("cmd_merge");
    EXPECT_EQ(fixtures::markerText(dir.file("output.pdf")), "A1 A2 B1");
}

// The window's fields hold Unicode text; a name that is no UTF-8 still
// reaches the outputs byte for byte.
TEST_F(WindowFromTheCommandLine, SplitKeepsANameThatIsNotUtf8) {
    const std::string cafe = "caf\xe9";
    fixtures::writeMarkedPdf(dir.file(cafe + ".pdf"), "C", 2);
    EXPECT_EQ(run({"-s", cafe + ".pdf"}), std::nullopt);
    click("cmd_split_run");
    EXPECT_EQ(fixtures::markerText(dir.file(cafe + "_1.pdf")), "C1");
    EXPECT_EQ(fixtures::markerText(dir.file(cafe + "_2.pdf")), "C2");
}

}  // namespace
