#include "ui/application_error.h"

std::string applicationErrorText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
    return message;
}
