// The job commands' library (see job_command_library.h), started by main
// through its entry point.
#include <string>
#include <vector>

#include "app/job_command_context.h"
#include "app/job_command_library.h"
#include "app/job_commands.h"
#include "engine/pdfium_binding.h"

extern "C" __attribute__((visibility("default"))) int splimeraJobCommandMain(int& argc, char** argv) {
    // PDFium loads while the arguments, settings and inputs are read.
    const PdfiumPreload preload;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return runJobCommand(arguments, programJobCommandContext());
}
