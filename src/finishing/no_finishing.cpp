#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "finishing/finisher.h"

void NoFinishing::writeFinished(const NewOutput& output, std::FILE* file) {
    if (std::fwrite(output.pdf.data(), 1, output.pdf.size(), file) != output.pdf.size())
        throw std::runtime_error(std::strerror(errno));
}
