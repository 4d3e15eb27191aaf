#include "ui/display_check.h"

#include <cstdlib>
#include <cstring>

#ifndef _WIN32
#include <dlfcn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace {

bool isSetAndNotEmpty(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

#ifndef _WIN32

// Asks libxcb, which Qt's xcb platform uses too, to connect to DISPLAY; it is
// loaded only for the question, so that the program needs no X library
// where no X server is used.
bool x11Answers() {
    if (!isSetAndNotEmpty("DISPLAY")) return false;
    void* xcb = dlopen("libxcb.so.1", RTLD_NOW | RTLD_LOCAL);
    if (!xcb) return false;
    using Connect = void* (*)(const char*, int*);
    using HasError = int (*)(void*);
    using Disconnect = void (*)(void*);
    const auto connect = reinterpret_cast<Connect>(dlsym(xcb, "xcb_connect"));
    const auto hasError = reinterpret_cast<HasError>(dlsym(xcb, "xcb_connection_has_error"));
    const auto disconnect = reinterpret_cast<Disconnect>(dlsym(xcb, "xcb_disconnect"));
    bool answers = false;
    if (connect && hasError && disconnect) {
        // xcb_connect never returns null: a failed connection is an object in an error state.
        void* connection = connect(nullptr, nullptr);
        answers = hasError(connection) == 0;
        disconnect(connection);
    }
    dlclose(xcb);
    return answers;
}

bool waylandAnswers() {
    if (!isSetAndNotEmpty("WAYLAND_DISPLAY")) return false;
    std::string socketPath = std::getenv("WAYLAND_DISPLAY");
    if (socketPath.front() != '/') {
        if (!isSetAndNotEmpty("XDG_RUNTIME_DIR")) return false;
        socketPath = std::string(std::getenv("XDG_RUNTIME_DIR")) + "/" + socketPath;
    }
    sockaddr_un address{};
    if (socketPath.size() >= sizeof(address.sun_path)) return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket < 0) return false;
    const bool answers = ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    ::close(socket);
    return answers;
}

#endif

}  // namespace

bool hasDisplay() {
#ifdef _WIN32
    return true;
#else
    return isSetAndNotEmpty("DISPLAY") || isSetAndNotEmpty("WAYLAND_DISPLAY");
#endif
}

std::string reachableDisplayPlatforms() {
#ifdef _WIN32
    return "windows";
#else
    const bool x11 = x11Answers(), wayland = waylandAnswers();
    const char* session = std::getenv("XDG_SESSION_TYPE");
    const bool waylandFirst = wayland && (!x11 || (session && std::strcmp(session, "wayland") == 0));
    if (waylandFirst) return x11 ? "wayland;xcb" : "wayland";
    if (x11) return wayland ? "xcb;wayland" : "xcb";
    return "";
#endif
}
