#include <iostream>
#include <string>
#include <vector>

#include "app/allocator_tuning.h"
#include "app/command_line.h"
#include "app/command_line_library.h"
#include "app/exit_code.h"
#include "app/job_command_library.h"
#include "base/platform_library.h"
#include "base/platform_process.h"
#include "engine/render_protocol.h"
#include "engine/render_service.h"

namespace {

// Runs the entry point of one of the program's libraries; `what` names the
// library in the message when it cannot be loaded.
int runProgramLibrary(const char* name, const char* entryName, const char* what, int& argc, char** argv) {
    std::string failure;
    const auto entry = reinterpret_cast<CommandLineEntry>(programLibraryEntry(name, entryName, failure));
    if (!entry) {
        std::cerr << "Cannot load " << what << " " << failure << std::endl;
        return ExitJobFailed;
    }
    return entry(argc, argv);
}

}  // namespace

// Each form starts only what it needs: the page-drawing service, an answer
// and the job commands no Qt; every other form is the command line's library,
// which starts Qt Core for a silent job and loads the window's library for
// the forms that may show it.
int main(int argc, char** argv) {
    tuneAllocator();
    keepCoreDumpsOff();  // every form may hold a password (the stored one, an input's)
    // The window's page-drawing process: no Qt, no settings.
    if (argc == 2 && std::string(argv[1]) == RenderServiceSwitch) return runRenderService();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    switch (commandFormOf(arguments)) {
    case CommandForm::Answer: return answerCommandLine(arguments, std::cout, std::cerr);
    case CommandForm::JobCommand:
        return runProgramLibrary(JobCommandLibraryName, JobCommandEntryName, "the job commands' library", argc, argv);
    case CommandForm::SilentJob:
    case CommandForm::Window: break;
    }
    return runProgramLibrary(CommandLineLibraryName, CommandLineEntryName, "the command line's library", argc, argv);
}
