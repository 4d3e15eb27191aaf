#include <QApplication>
#include <QMessageBox>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/allocator_tuning.h"
#include "app/command_line.h"
#include "app/console_dialogs.h"
#include "app/job_command_context.h"
#include "app/job_commands.h"
#include "app/qt_message_filter.h"
#include "app/silent_switches.h"
#include "app/stored_language.h"
#include "app/terminal.h"
#include "app/window_command_host.h"
#include "app/window_switches.h"
#include "engine/render_protocol.h"
#include "engine/render_service.h"
#include "base/application.h"
#include "base/platform_process.h"
#include "settings/settings.h"
#include "ui/display_check.h"
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

// Qt with a display when one answers, without one otherwise: a display that
// is named but does not answer would make Qt end the process, and Qt's
// offscreen platform wants a runtime folder it warns about and creates.
// Qt falls back on the offscreen platform should the display stop answering
// between the check and its own connection.
std::unique_ptr<QCoreApplication> startApplication(int& argc, char** argv) {
    const std::string platforms = reachableDisplayPlatforms();
    if (platforms.empty()) return std::make_unique<QCoreApplication>(argc, argv);
    const QByteArray chosen =
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ? QByteArray::fromStdString(platforms) : qgetenv("QT_QPA_PLATFORM");
    qputenv("QT_QPA_PLATFORM", chosen + ";offscreen");
    return std::make_unique<QApplication>(argc, argv);
}

bool windowsCanBeShown() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) &&
           QGuiApplication::platformName() != QStringLiteral("offscreen");
}

// "-qs" and "-qm": dialogs where someone can see them (as the window's lists
// probe their files), the console and the terminal otherwise.
int runSilentSwitch(int& argc, char** argv, const std::vector<std::string>& arguments) {
    const std::unique_ptr<QCoreApplication> application = startApplication(argc, argv);
    const bool display = windowsCanBeShown();
    if (display) initUiResources();
    QtDialogs windowDialogs;
    ConsoleDialogs consoleDialogs(terminalPasswordPrompt());
    Dialogs& dialogs = display ? static_cast<Dialogs&>(windowDialogs) : consoleDialogs;
    const auto translate = storedLanguageTexts();
    InputProbe probe(dialogs, translate);
    const SilentJobContext context{dialogs, translate, Settings().protection(),
                                   [&](const std::string& path) {
                                       consoleDialogs.setFile(path);
                                       return probe.probe(path);
                                   },
                                   standardErrorIsTerminal()};
    SilentSwitches switches(context, std::cout, std::cerr,
                            [display](const std::string& message) { reportApplicationError(display, message); });
    return switches.run(arguments);
}

// Where no display answers, the window's switches check their files and the
// program says why it does not open its window.
class NoWindow : public CommandLineWindow {
public:
    void addSplitFile(const std::string&) override {}
    void addMergeFile(const std::string&) override {}
    void showMergeTab() override {}
    void showMessageWhenOpen(const std::string& text) override { std::cerr << text << std::endl; }
};

int runWindow(int& argc, char** argv, const std::vector<std::string>& arguments) {
    const std::unique_ptr<QCoreApplication> application = startApplication(argc, argv);
    if (!windowsCanBeShown()) {
        NoWindow noWindow;
        if (const std::optional<int> exitCode = WindowSwitches(noWindow, std::cout, std::cerr).run(arguments))
            return *exitCode;
        std::cerr << ApplicationName
                  << " needs a display for its window. Without one, use the silent forms "
                     "-qs and -qm or the job commands split, merge and mix; see splimera --help."
                  << std::endl;
        return ExitUsage;
    }
    initUiResources();
    QtDialogs dialogs;
    MainWindow window(dialogs);
    dialogs.setParentWidget(&window);
    window.protectionDialog();
    WindowCommandHost host(window, dialogs);
    if (const std::optional<int> exitCode = WindowSwitches(host, std::cout, std::cerr).run(arguments)) return *exitCode;
    window.show();
    return application->exec();
}

}  // namespace

int main(int argc, char** argv) {
    tuneAllocator();
    keepCoreDumpsOff();  // every form may hold a password (the stored one, an input's)
    // The window's page-drawing process: no Qt, no settings.
    if (argc == 2 && std::string(argv[1]) == RenderServiceSwitch) return runRenderService();
    installQtMessageFilter();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!arguments.empty() && trimmed(arguments[0]) == "/remove") return ExitDone;

    switch (commandFormOf(arguments)) {
    case CommandForm::Answer: return answerCommandLine(arguments, std::cout, std::cerr);
    case CommandForm::JobCommand: {
        QCoreApplication application(argc, argv);
        return runJobCommand(arguments, programJobCommandContext());
    }
    case CommandForm::SilentJob: return runSilentSwitch(argc, argv, arguments);
    case CommandForm::Window: break;
    }
    return runWindow(argc, argv, arguments);
}
