#include "app/window_library.h"

#include <string>

#include "app/exit_code.h"
#include "app/silent_job_start.h"
#include "base/platform_library.h"

int runWindowLibrary(int& argc, char** argv) {
    std::string failure;
    const auto entry = reinterpret_cast<WindowEntry>(programLibraryEntry(WindowLibraryName, WindowEntryName, failure));
    if (!entry) {
        reportApplicationErrorOnConsole("Cannot load the window's library " + failure);
        return ExitJobFailed;
    }
    return entry(argc, argv);
}
