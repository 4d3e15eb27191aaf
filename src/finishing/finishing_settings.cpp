#include "finishing/finishing_settings.h"

const char* const SplimeraWebAddress = "https://splimera.brellow.org";

std::string creatorTextFor(const std::string& windowCaption) {
    return windowCaption + " (" + SplimeraWebAddress + ")";
}
