#include "app/window_library.h"

#include <dlfcn.h>

#include <string>

#include "app/exit_code.h"
#include "app/silent_job_start.h"
#include "engine/pdfium_binding.h"

int runWindowLibrary(int& argc, char** argv) {
    const std::string path = programFolder() + WindowLibraryName;
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    const auto entry = library ? reinterpret_cast<WindowEntry>(dlsym(library, WindowEntryName)) : nullptr;
    if (!entry) {
        const char* reason = dlerror();
        reportApplicationErrorOnConsole("Cannot load the window's library " + path + ": " +
                                        (reason ? reason : "no entry point"));
        return ExitJobFailed;
    }
    // The library stays loaded until the process ends: Qt's objects made
    // there may be destroyed as late as at exit.
    return entry(argc, argv);
}
