// The command line's library (see command_line_library.h): silent jobs on Qt
// Core where no display answers, and the hand-over to the window's library
// for the forms that may show a window, started by main through its entry
// point.
#include <QCoreApplication>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/command_line_library.h"
#include "app/qt_message_filter.h"
#include "app/silent_job_start.h"
#include "app/window_library.h"
#include "engine/pdfium_binding.h"
#include "ui/display_check.h"

extern "C" __attribute__((visibility("default"))) int splimeraCommandLineMain(int& argc, char** argv) {
    installQtMessageFilter();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (commandFormOf(arguments) == CommandForm::SilentJob && reachableDisplayPlatforms().empty()) {
        // PDFium loads while Qt Core starts and the arguments, settings and
        // inputs are read.
        const PdfiumPreload preload;
        QCoreApplication application(argc, argv);
        return runSilentJob(arguments, nullptr, reportApplicationErrorOnConsole);
    }
    return runWindowLibrary(argc, argv);
}
