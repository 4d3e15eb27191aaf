#include "base/background_worker.h"

#include <system_error>
#include <utility>

BackgroundWorker::~BackgroundWorker() {
    {
        std::unique_lock<std::mutex> lock(mutex_);
        awaitDone(lock);
        ending_ = true;
        changed_.notify_all();
    }
    if (thread_.joinable()) thread_.join();
}

void BackgroundWorker::start(std::function<void()> work) {
    wait();
    if (!thread_.joinable() && !noThread_) {
        try {
            thread_ = std::thread([this] { serve(); });
        } catch (const std::system_error&) {
            noThread_ = true;
        }
    }
    if (noThread_) {
        try {
            work();
        } catch (...) {
            failure_ = std::current_exception();
        }
        return;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    work_ = std::move(work);
    busy_ = true;
    changed_.notify_all();
}

void BackgroundWorker::wait() {
    std::unique_lock<std::mutex> lock(mutex_);
    awaitDone(lock);
    if (std::exception_ptr failure = std::exchange(failure_, nullptr)) std::rethrow_exception(failure);
}

void BackgroundWorker::awaitDone(std::unique_lock<std::mutex>& lock) {
    changed_.wait(lock, [this] { return !busy_; });
}

void BackgroundWorker::serve() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return work_ || ending_; });
        if (!work_) return;
        std::function<void()> work = std::move(work_);
        work_ = nullptr;
        lock.unlock();
        std::exception_ptr failure;
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        work = nullptr;  // what the work holds goes before the owner hears it is done
        lock.lock();
        failure_ = failure;
        busy_ = false;
        changed_.notify_all();
    }
}
