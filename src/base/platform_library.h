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

// The program's own library named `name` ("splimera_window" is
// libsplimera_window.so beside the program, splimera_window.dll on Windows),
// loaded for good (objects made there may be destroyed as late as at exit),
// and the address of its entry point; null with "<path>: <reason>" in failure.
void* programLibraryEntry(const std::string& name, const std::string& entry, std::string& failure);
