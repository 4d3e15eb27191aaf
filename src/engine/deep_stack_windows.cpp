#ifdef _WIN32
#include "engine/deep_stack.h"

#include <cstddef>
#include <exception>
#include <windows.h>

namespace {

// As on POSIX: a gigabyte reserved, committed only as it is used.
constexpr std::size_t StackSizes[] = {std::size_t(1) << 30, std::size_t(256) << 20, std::size_t(64) << 20};

struct Call {
    const std::function<void()>* work;
    std::exception_ptr failure;
};

DWORD WINAPI runCall(void* argument) {
    auto* call = static_cast<Call*>(argument);
    try {
        (*call->work)();
    } catch (...) {
        call->failure = std::current_exception();
    }
    return 0;
}

}  // namespace

void runOnDeepStack(const std::function<void()>& work) {
    Call call{&work, nullptr};
    for (std::size_t stackSize : StackSizes) {
        HANDLE thread = CreateThread(nullptr, stackSize, runCall, &call, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
        if (!thread) continue;
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
        if (call.failure) std::rethrow_exception(call.failure);
        return;
    }
    work();
}
#endif
