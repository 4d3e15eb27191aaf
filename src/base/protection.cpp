#include "base/protection.h"

std::string outputPasswordProblem(const std::string& password) {
    if (password.size() <= MaxOutputPasswordBytes) return "";
    return "The output password is longer than " + std::to_string(MaxOutputPasswordBytes) +
           " bytes; other PDF readers could not open the files with it";
}
