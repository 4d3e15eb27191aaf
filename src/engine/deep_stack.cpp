#include "engine/deep_stack.h"

#include <condition_variable>
#include <exception>
#include <mutex>
#include <utility>

namespace {

// About 200 bytes of PDFium's stack per link of a reference chain: a
// gigabyte takes chains of some five million objects.
constexpr std::size_t StackSizes[] = {std::size_t(1) << 30, std::size_t(256) << 20, std::size_t(64) << 20};

// Never destroyed: the thread waits on it until the process ends, and a
// destructor run at exit would pull the mutex from under it.
struct DeepStackThread {
    std::mutex turn;  // held by the caller whose work is handed over
    std::mutex state;
    std::condition_variable changed;
    const std::function<void()>* work = nullptr;
    std::exception_ptr failure;
    bool done = false;
};

thread_local bool onDeepStack = false;

void serve(void* argument) {
    auto& thread = *static_cast<DeepStackThread*>(argument);
    onDeepStack = true;
    std::unique_lock<std::mutex> lock(thread.state);
    for (;;) {
        thread.changed.wait(lock, [&] { return thread.work != nullptr; });
        const std::function<void()>* work = thread.work;
        lock.unlock();
        std::exception_ptr failure;
        try {
            (*work)();
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        thread.work = nullptr;
        thread.failure = failure;
        thread.done = true;
        thread.changed.notify_all();
    }
}

DeepStackThread* startThread() {
    auto* thread = new DeepStackThread;
    for (std::size_t stackSize : StackSizes)
        if (startDetachedThread(stackSize, serve, thread)) return thread;
    delete thread;
    return nullptr;
}

}  // namespace

void runOnDeepStack(const std::function<void()>& work) {
    static DeepStackThread* const thread = startThread();
    if (!thread || onDeepStack) {
        work();
        return;
    }
    std::lock_guard<std::mutex> turn(thread->turn);
    std::unique_lock<std::mutex> lock(thread->state);
    thread->done = false;
    thread->work = &work;
    thread->changed.notify_all();
    thread->changed.wait(lock, [&] { return thread->done; });
    if (std::exception_ptr failure = std::exchange(thread->failure, nullptr)) std::rethrow_exception(failure);
}
