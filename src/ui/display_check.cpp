#include "ui/display_check.h"

#include <cstdlib>

namespace {

bool isSetAndNotEmpty(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

}  // namespace

bool hasDisplay() {
#ifdef _WIN32
    return true;
#else
    return isSetAndNotEmpty("DISPLAY") || isSetAndNotEmpty("WAYLAND_DISPLAY");
#endif
}
