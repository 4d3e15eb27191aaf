// The window's library (see window_library.h): the forms that may show a
// window, started by main through its entry point.
#include <QApplication>
#include <QMessageBox>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/qt_message_filter.h"
#include "app/silent_job_start.h"
#include "app/window_command_host.h"
#include "app/window_switches.h"
#include "base/application.h"
#include "ui/display_check.h"
#include "ui/main_window.h"
#include "ui/qt_dialogs.h"
#include "ui/ui_icons.h"

namespace {

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

// "-qs" and "-qm" where a display answered main: dialogs where someone can
// see them (as the window's lists probe their files), an error that ends the
// job in a box titled "Application Error".
int runSilentSwitch(int& argc, char** argv, const std::vector<std::string>& arguments) {
    const std::unique_ptr<QCoreApplication> application = startApplication(argc, argv);
    if (!windowsCanBeShown()) return runSilentJob(arguments, nullptr, reportApplicationErrorOnConsole);
    initUiResources();
    QtDialogs windowDialogs;
    return runSilentJob(arguments, &windowDialogs, [](const std::string& message) {
        QMessageBox::critical(nullptr, QStringLiteral("Application Error"), QString::fromStdString(message));
    });
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

#ifdef _WIN32
#define SPLIMERA_EXPORTED __declspec(dllexport)
#else
#define SPLIMERA_EXPORTED
#endif

extern "C" SPLIMERA_EXPORTED int splimeraWindowMain(int& argc, char** argv) {
    installQtMessageFilter();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (commandFormOf(arguments) == CommandForm::SilentJob) return runSilentSwitch(argc, argv, arguments);
    return runWindow(argc, argv, arguments);
}
