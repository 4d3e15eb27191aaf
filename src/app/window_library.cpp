#include "app/window_library.h"

#include <string>

#include "app/exit_code.h"
#include "app/silent_job_start.h"
#include "base/platform_library.h"

int runWindowLibrary(int& argc, char** argv) {
    const std::string path = programFolder() + WindowLibraryName;
    std::string reason;
    void* library = openLibrary(path, reason);
    const auto entry = library ? reinterpret_cast<WindowEntry>(librarySymbol(library, WindowEntryName, reason)) : nullptr;
    if (!entry) {
        reportApplicationErrorOnConsole("Cannot load the window's library " + path + ": " + reason);
        return ExitJobFailed;
    }
    // The library stays loaded until the process ends: Qt's objects made
    // there may be destroyed as late as at exit.
    return entry(argc, argv);
}
