#include "base/background_work.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

namespace {
struct WorkThread;
}

struct BackgroundWork::Task {
    enum class State { Queued, Running, Done, Dropped };
    std::function<void()> work;
    State state = State::Queued;
    std::exception_ptr failure;
    WorkThread* thread = nullptr;  // the thread it was queued to; null: it runs in wait()
};

namespace {

using Task = BackgroundWork::Task;

// Never destroyed: the thread waits on it until the process ends.
struct WorkThread {
    std::mutex lock;
    std::condition_variable changed;
    std::deque<std::shared_ptr<Task>> queue;
};

std::atomic<bool> threadAllowed{true};

void runWork(Task& task) {
    try {
        task.work();
    } catch (...) {
        task.failure = std::current_exception();
    }
    task.work = nullptr;  // what it captured goes before anyone is told it is done
}

// Runs a task that was queued, with the thread's lock held on entry and exit.
void run(Task& task, std::unique_lock<std::mutex>& lock, WorkThread& thread) {
    task.state = Task::State::Running;
    lock.unlock();
    runWork(task);
    lock.lock();
    task.state = Task::State::Done;
    thread.changed.notify_all();
}

void serve(void* argument) {
    auto& thread = *static_cast<WorkThread*>(argument);
    std::unique_lock<std::mutex> lock(thread.lock);
    for (;;) {
        thread.changed.wait(lock, [&] { return !thread.queue.empty(); });
        std::shared_ptr<Task> task = std::move(thread.queue.front());
        thread.queue.pop_front();
        if (task->state == Task::State::Queued) run(*task, lock, thread);
    }
}

WorkThread* startThread() {
    auto* thread = new WorkThread;
    try {
        std::thread(serve, thread).detach();
        return thread;
    } catch (const std::system_error&) {
        delete thread;
        return nullptr;
    }
}

WorkThread* workThread() {
    if (!threadAllowed) return nullptr;
    static WorkThread* const thread = startThread();
    return thread;
}

}  // namespace

void allowBackgroundThread(bool allowed) { threadAllowed = allowed; }

BackgroundWork::BackgroundWork(std::function<void()> work) : task_(std::make_shared<Task>()) {
    task_->work = std::move(work);
    task_->thread = workThread();
    if (WorkThread* thread = task_->thread) {
        std::lock_guard<std::mutex> lock(thread->lock);
        thread->queue.push_back(task_);
        thread->changed.notify_all();
    }
}

BackgroundWork::~BackgroundWork() {
    if (waited_ || !task_->thread) return;
    WorkThread& thread = *task_->thread;
    std::function<void()> dropped;
    {
        std::unique_lock<std::mutex> lock(thread.lock);
        if (task_->state == Task::State::Queued) {
            task_->state = Task::State::Dropped;
            // What the work holds goes here and now, not when the thread
            // comes to the dropped task: that may be while the process ends.
            dropped = std::move(task_->work);
            task_->work = nullptr;
        }
        thread.changed.wait(lock, [&] { return task_->state != Task::State::Running; });
    }
}

void BackgroundWork::wait() {
    if (waited_) return;
    waited_ = true;
    if (!task_->thread) {
        runWork(*task_);
    } else {
        WorkThread& thread = *task_->thread;
        std::unique_lock<std::mutex> lock(thread.lock);
        if (task_->state == Task::State::Queued) run(*task_, lock, thread);
        thread.changed.wait(lock, [&] { return task_->state == Task::State::Done; });
    }
    if (task_->failure) std::rethrow_exception(std::exchange(task_->failure, nullptr));
}
