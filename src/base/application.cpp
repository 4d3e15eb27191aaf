#include "base/application.h"

#include "app_version.h"

namespace {

// An absent part of the project version is configured as an empty text.
constexpr int part(int value) { return value; }
constexpr int part() { return 0; }

}  // namespace

std::string applicationVersion() {
    return std::to_string(part(SPLIMERA_VERSION_MAJOR)) + "." + std::to_string(part(SPLIMERA_VERSION_MINOR)) + "." +
           std::to_string(part(SPLIMERA_VERSION_PATCH)) + "." + std::to_string(part(SPLIMERA_VERSION_TWEAK));
}
