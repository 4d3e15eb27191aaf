#ifndef _WIN32
#include "engine/deep_stack.h"

#include <pthread.h>

namespace {

struct Start {
    void (*entry)(void*);
    void* argument;
};

void* runStart(void* argument) {
    const Start start = *static_cast<Start*>(argument);
    delete static_cast<Start*>(argument);
    start.entry(start.argument);
    return nullptr;
}

}  // namespace

bool startDetachedThread(std::size_t stackSize, void (*entry)(void*), void* argument) {
    pthread_attr_t attributes;
    if (::pthread_attr_init(&attributes) != 0) return false;
    auto* start = new Start{entry, argument};
    pthread_t thread;
    const bool started = ::pthread_attr_setstacksize(&attributes, stackSize) == 0 &&
                         ::pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED) == 0 &&
                         ::pthread_create(&thread, &attributes, runStart, start) == 0;
    ::pthread_attr_destroy(&attributes);
    if (!started) delete start;
    return started;
}
#endif
