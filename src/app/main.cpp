#include <QApplication>
#include <QMessageBox>
#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/job_command_context.h"
#include "app/job_commands.h"
#include "app/window_command_host.h"
#include "jobs/application.h"
#include "settings/settings.h"
#include "ui/display_check.h"
#include "ui/headless_dialogs.h"
#include "ui/main_window.h"
#include "ui/qt_dialogs.h"
#include "ui/ui_icons.h"

namespace {

// Blanks and control characters around the first argument are not part of it.
std::string trimmed(const std::string& text) {
    std::size_t first = 0, last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= 32) ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32) --last;
    return text.substr(first, last - first);
}

// An error that ended a silent job: a box titled "Application Error" where
// someone can see it, standard error otherwise.
void reportApplicationError(bool display, const std::string& message) {
    if (display)
        QMessageBox::critical(nullptr, QStringLiteral("Application Error"), QString::fromStdString(message));
    else
        std::cerr << "Application Error: " << message << std::endl;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!arguments.empty() && trimmed(arguments[0]) == "/remove") return ExitDone;

    if (!arguments.empty() && isJobCommand(arguments[0])) {
        QCoreApplication application(argc, argv);
        return runJobCommand(arguments, programJobCommandContext());
    }

    // Without a display nothing can be shown: Qt draws off screen and every
    // dialog answers on the console, so that a silent job never waits.
    const bool display = hasDisplay();
    if (!display) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    initUiResources();

    QtDialogs windowDialogs;
    HeadlessDialogs consoleDialogs;
    Dialogs& dialogs = display ? static_cast<Dialogs&>(windowDialogs) : consoleDialogs;
    TFormTest window(dialogs);
    windowDialogs.setParentWidget(&window);
    window._settingsForm();

    WindowCommandHost host(window);
    SilentJobContext silent{dialogs, [&window](const std::string& key) { return window._getTranslation(key); },
                            Settings().protection()};
    CommandLine commandLine(host, silent, std::cout,
                            [display](const std::string& message) { reportApplicationError(display, message); });
    if (const std::optional<int> exitCode = commandLine.run(arguments)) return *exitCode;

    if (!display) {
        std::cerr << ApplicationName
                  << " needs a display for its window. Without one, use the silent forms "
                     "-qs and -qm or the job commands split, merge and mix; see splimera --help."
                  << std::endl;
        return ExitUsage;
    }
    window.show();
    return application.exec();
}
