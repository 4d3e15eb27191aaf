// Any bytes offered as a watermark picture are either prepared into a
// picture whose encoded samples match its size, or refused with a reason;
// they never crash or take unbounded memory (the runs set a memory limit).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "finishing/prepared_picture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    try {
        const PreparedPicture picture = preparePictureBytes(bytes);
        if (picture.width <= 0 || picture.height <= 0 || !picture.samples || picture.samples->empty()) std::abort();
        if (static_cast<unsigned long long>(picture.width) * picture.height > MaxPicturePixels) std::abort();
    } catch (const std::runtime_error&) {
    }
    return 0;
}
