#ifndef _WIN32
#include "engine/deep_stack.h"

#include <cstddef>
#include <exception>

#include <pthread.h>

namespace {

// About 200 bytes of PDFium's stack per link of a reference chain: a
// gigabyte takes chains of some five million objects.
constexpr std::size_t StackSizes[] = {std::size_t(1) << 30, std::size_t(256) << 20, std::size_t(64) << 20};

struct Call {
    const std::function<void()>* work;
    std::exception_ptr failure;
};

void* runCall(void* argument) {
    auto* call = static_cast<Call*>(argument);
    try {
        (*call->work)();
    } catch (...) {
        call->failure = std::current_exception();
    }
    return nullptr;
}

bool startThread(pthread_t& thread, Call& call, std::size_t stackSize) {
    pthread_attr_t attributes;
    if (::pthread_attr_init(&attributes) != 0) return false;
    const bool started = ::pthread_attr_setstacksize(&attributes, stackSize) == 0 &&
                         ::pthread_create(&thread, &attributes, runCall, &call) == 0;
    ::pthread_attr_destroy(&attributes);
    return started;
}

}  // namespace

void runOnDeepStack(const std::function<void()>& work) {
    Call call{&work, nullptr};
    pthread_t thread;
    for (std::size_t stackSize : StackSizes) {
        if (!startThread(thread, call, stackSize)) continue;
        ::pthread_join(thread, nullptr);
        if (call.failure) std::rethrow_exception(call.failure);
        return;
    }
    work();
}
#endif
