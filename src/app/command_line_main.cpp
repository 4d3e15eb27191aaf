// The command line's library (see command_line_library.h), without Qt: job
// commands, silent jobs where no display answers, and the hand-over to the
// window's library for the forms that may show a window, started by main
// through its entry point.
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/command_line_library.h"
#include "app/job_command_context.h"
#include "app/job_commands.h"
#include "app/silent_job_start.h"
#include "app/window_library.h"
#include "engine/pdfium_binding.h"
#include "ui/display_check.h"

extern "C" __attribute__((visibility("default"))) int splimeraCommandLineMain(int& argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    switch (commandFormOf(arguments)) {
    case CommandForm::JobCommand: {
        // PDFium loads while the arguments, settings and inputs are read.
        const PdfiumPreload preload;
        return runJobCommand(arguments, programJobCommandContext());
    }
    case CommandForm::SilentJob:
        if (reachableDisplayPlatforms().empty()) {
            const PdfiumPreload preload;
            return runSilentJob(arguments, nullptr, reportApplicationErrorOnConsole);
        }
        break;
    case CommandForm::Answer:
    case CommandForm::Window: break;
    }
    return runWindowLibrary(argc, argv);
}
