#ifdef _WIN32
#include "base/platform_streams.h"

#include <fcntl.h>
#include <io.h>
#include <limits>

// A service started by the window ends when the window closes its end of the
// request pipe; Windows has no "end with the parent" of its own here.
std::optional<ServiceChannel> takeServiceChannel() {
    if (_setmode(0, _O_BINARY) == -1 || _setmode(1, _O_BINARY) == -1) return std::nullopt;
    ServiceChannel channel;
    channel.requests = 0;
    channel.answers = _dup(1);
    if (channel.answers < 0 || _dup2(2, 1) != 0) return std::nullopt;
    return channel;
}

long readSome(int descriptor, char* into, std::size_t size) {
    const unsigned count = size > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                                  : static_cast<unsigned>(size);
    return _read(descriptor, into, count);
}

bool writeAll(int descriptor, const char* bytes, std::size_t size) {
    for (std::size_t done = 0; done < size;) {
        const std::size_t left = size - done;
        const unsigned part = left > (1u << 30) ? (1u << 30) : static_cast<unsigned>(left);
        const int count = _write(descriptor, bytes + done, part);
        if (count <= 0) return false;
        done += static_cast<std::size_t>(count);
    }
    return true;
}
#endif
