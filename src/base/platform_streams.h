#pragma once
#include <cstddef>
#include <optional>

// The standard streams of a process that serves requests over them in
// binary (the page-drawing service), behind one interface with a POSIX
// implementation (platform_streams_posix.cpp) and a Windows one
// (platform_streams_windows.cpp).

struct ServiceChannel {
    int requests = -1;  // standard input
    int answers = -1;   // what standard output was
};

// Readies the streams for serving: both in binary, answers written to a copy
// of standard output while standard output itself goes to standard error (so
// that a library's message cannot break an answer), a reader that has gone
// seen as a failed write, and on Linux the process ended with its parent.
// Nothing when the streams cannot be set so.
std::optional<ServiceChannel> takeServiceChannel();

// Reads what is there, up to size bytes: the count, 0 at the end, -1 on an
// error (interruptions are retried).
long readSome(int descriptor, char* into, std::size_t size);
// Writes every byte; false when the stream refused.
bool writeAll(int descriptor, const char* bytes, std::size_t size);
