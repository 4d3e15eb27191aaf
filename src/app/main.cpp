#include <iostream>
#include <string>
#include <vector>

#include "app/allocator_tuning.h"
#include "app/command_line.h"
#include "app/command_line_library.h"
#include "app/exit_code.h"
#include "base/platform_library.h"
#include "base/platform_process.h"
#include "engine/render_protocol.h"
#include "engine/render_service.h"

namespace {

int runCommandLineLibrary(int& argc, char** argv) {
    std::string failure;
    const auto entry = reinterpret_cast<CommandLineEntry>(programLibraryEntry(CommandLineLibraryName, CommandLineEntryName, failure));
    if (!entry) {
        std::cerr << "Cannot load the command line's library " << failure << std::endl;
        return ExitJobFailed;
    }
    return entry(argc, argv);
}

}  // namespace

// Each form starts only what it needs: the page-drawing service and an answer
// only the front; every other form is the command line's library, which runs
// a job without Qt and loads the window's library (Qt) for the forms that may
// show it.
int main(int argc, char** argv) {
    tuneAllocator();
    keepCoreDumpsOff();  // every form may hold a password (the stored one, an input's)
    // The window's page-drawing process: no Qt, no settings.
    if (argc == 2 && std::string(argv[1]) == RenderServiceSwitch) return runRenderService();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (commandFormOf(arguments) == CommandForm::Answer) return answerCommandLine(arguments, std::cout, std::cerr);
    return runCommandLineLibrary(argc, argv);
}
