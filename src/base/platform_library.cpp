#include "base/platform_library.h"

void* programLibraryEntry(const std::string& name, const std::string& entry, std::string& failure) {
#ifdef _WIN32
    const std::string path = programFolder() + name + ".dll";
#else
    const std::string path = programFolder() + "lib" + name + ".so";
#endif
    std::string reason;
    void* library = openLibrary(path, reason);
    void* address = library ? librarySymbol(library, entry, reason) : nullptr;
    if (!address) failure = path + ": " + reason;
    return address;
}
