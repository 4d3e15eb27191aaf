#pragma once
#include <string>

// Libraries loaded while the program runs, and the program's own folder,
// behind one interface with a POSIX implementation (dlopen,
// platform_library_posix.cpp) and a Windows one (LoadLibrary,
// platform_library_windows.cpp). Paths are UTF-8.

// The running executable's own folder, ending in its separator; "" when the
// system does not tell.
std::string programFolder();

// The library at path (a bare name is looked for where the system looks), or
// null with the system's reason in reason.
void* openLibrary(const std::string& path, std::string& reason);
// The address of an entry point of the library, or null with the system's
// reason in reason.
void* librarySymbol(void* library, const std::string& name, std::string& reason);
void closeLibrary(void* library) noexcept;
