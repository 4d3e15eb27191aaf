// Any text read as a whole number either gives a value that reads back the
// same or fails with the conversion error; nothing else may happen.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "jobs/whole_number.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    int value = 0;
    const bool read = tryReadWholeNumber(text, value);
    try {
        const int again = readWholeNumber(text);
        if (!read || again != value) std::abort();
    } catch (const EConvertError&) {
        if (read) std::abort();
    }
    if (read) {
        int back = 0;
        if (!tryReadWholeNumber(std::to_string(value), back) || back != value) std::abort();
    }
    return 0;
}
