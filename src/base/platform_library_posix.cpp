#ifndef _WIN32
#include "base/platform_library.h"

#include <dlfcn.h>
#include <unistd.h>

namespace {

std::string lastLoaderError() {
    const char* text = dlerror();
    return text ? text : "Unknown error";
}

}  // namespace

std::string programFolder() {
    char buffer[4096];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) return "";
    std::string path(buffer, static_cast<std::size_t>(length));
    return path.substr(0, path.find_last_of('/') + 1);
}

void* openLibrary(const std::string& path, std::string& reason) {
    dlerror();
    // Bound lazily: a function is looked up on its first call, so a job binds
    // only what it calls. The entry points the program relies on are looked
    // up at once with librarySymbol, which reports any that is missing.
    void* library = dlopen(path.c_str(), RTLD_LAZY | RTLD_LOCAL);
    if (!library) reason = lastLoaderError();
    return library;
}

void* librarySymbol(void* library, const std::string& name, std::string& reason) {
    dlerror();
    void* address = dlsym(library, name.c_str());
    if (!address) reason = lastLoaderError();
    return address;
}

void closeLibrary(void* library) noexcept {
    if (library) dlclose(library);
}
#endif
