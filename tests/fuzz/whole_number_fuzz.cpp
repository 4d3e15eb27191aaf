// Any text read as a whole number either gives a value that reads back the
// same or fails with the conversion error; nothing else may happen.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "base/whole_number.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::optional<int> value = parseWholeNumber(text);
    try {
        const int again = readWholeNumber(text);
        if (!value || again != *value) std::abort();
    } catch (const ConvertError&) {
        if (value) std::abort();
    }
    if (value && parseWholeNumber(std::to_string(*value)) != value) std::abort();
    return 0;
}
