#include <cerrno>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "finishing/finisher.h"

void NoFinishing::writeFinished(const NewOutput& output, std::FILE* file) {
    if (std::fwrite(output.pdf.data(), 1, output.pdf.size(), file) != output.pdf.size())
        throw std::runtime_error(std::strerror(errno));
}

std::string Finisher::finishInMemory(const NewOutput& output) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::tmpfile(), std::fclose);
    if (!file) throw std::runtime_error(std::strerror(errno));
    writeFinished(output, file.get());
    std::string bytes(static_cast<std::size_t>(std::ftell(file.get())), '\0');
    std::rewind(file.get());
    if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) throw std::runtime_error(std::strerror(errno));
    return bytes;
}
