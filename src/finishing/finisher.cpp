#include "finishing/finisher.h"

#include <cerrno>
#include <cstring>
#include <memory>
#include <stdexcept>

std::string Finisher::finishInMemory(const NewOutput& output) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::tmpfile(), std::fclose);
    if (!file) throw std::runtime_error(std::strerror(errno));
    writeFinished(output, file.get());
    const long size = std::ftell(file.get());
    if (size < 0) throw std::runtime_error(std::strerror(errno));
    std::string bytes(static_cast<std::size_t>(size), '\0');
    std::rewind(file.get());
    if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
        throw std::runtime_error(std::strerror(errno));
    return bytes;
}
