#ifdef _WIN32
#include "engine/deep_stack.h"

#include <windows.h>

namespace {

struct Start {
    void (*entry)(void*);
    void* argument;
};

DWORD WINAPI runStart(void* argument) {
    const Start start = *static_cast<Start*>(argument);
    delete static_cast<Start*>(argument);
    start.entry(start.argument);
    return 0;
}

}  // namespace

bool startDetachedThread(std::size_t stackSize, void (*entry)(void*), void* argument) {
    auto* start = new Start{entry, argument};
    HANDLE thread = CreateThread(nullptr, stackSize, runStart, start, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    if (!thread) {
        delete start;
        return false;
    }
    CloseHandle(thread);
    return true;
}
#endif
