#include <QCoreApplication>
#include <iostream>
#include <string>
#include <vector>

#include "app/allocator_tuning.h"
#include "app/command_line.h"
#include "app/job_command_context.h"
#include "app/job_commands.h"
#include "app/qt_message_filter.h"
#include "app/silent_job_start.h"
#include "app/window_library.h"
#include "engine/render_protocol.h"
#include "engine/render_service.h"
#include "base/platform_process.h"
#include "ui/display_check.h"

// Each form starts only what it needs: the page-drawing service no Qt, an
// answer no Qt application, a job command and a silent job without a display
// Qt Core alone; the forms that may show a window load the window's library.
int main(int argc, char** argv) {
    tuneAllocator();
    keepCoreDumpsOff();  // every form may hold a password (the stored one, an input's)
    // The window's page-drawing process: no Qt, no settings.
    if (argc == 2 && std::string(argv[1]) == RenderServiceSwitch) return runRenderService();
    installQtMessageFilter();
    const std::vector<std::string> arguments(argv + 1, argv + argc);

    switch (commandFormOf(arguments)) {
    case CommandForm::Answer: return answerCommandLine(arguments, std::cout, std::cerr);
    case CommandForm::JobCommand: {
        QCoreApplication application(argc, argv);
        return runJobCommand(arguments, programJobCommandContext());
    }
    case CommandForm::SilentJob:
        if (reachableDisplayPlatforms().empty()) {
            QCoreApplication application(argc, argv);
            return runSilentJob(arguments, nullptr, reportApplicationErrorOnConsole);
        }
        break;
    case CommandForm::Window: break;
    }
    return runWindowLibrary(argc, argv);
}
