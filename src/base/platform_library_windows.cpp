#ifdef _WIN32
#include "base/platform_library.h"

#include <windows.h>

#include "base/platform_text_windows.h"

std::string programFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return "";
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return utf8Text(path.substr(0, path.find_last_of(L"\\/") + 1));
}

void* openLibrary(const std::string& path, std::string& reason) {
    // A library that is missing is no dialog box, only an error.
    const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE library = LoadLibraryExW(wideText(path).c_str(), nullptr,
                                     path.find_first_of("\\/") == std::string::npos ? 0 : LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!library) reason = systemMessage(GetLastError());
    SetErrorMode(previous);
    return reinterpret_cast<void*>(library);
}

void* librarySymbol(void* library, const std::string& name, std::string& reason) {
    FARPROC address = GetProcAddress(static_cast<HMODULE>(library), name.c_str());
    if (!address) reason = systemMessage(GetLastError());
    return reinterpret_cast<void*>(address);
}

void closeLibrary(void* library) noexcept {
    if (library) FreeLibrary(static_cast<HMODULE>(library));
}
#endif
