#include "base/background_work.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace {

// Holds the work thread in a piece of work until opened.
class Gate {
public:
    void pass() {
        std::unique_lock<std::mutex> lock(mutex_);
        entered_ = true;
        changed_.notify_all();
        changed_.wait(lock, [&] { return open_; });
    }
    void awaitEntry() {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [&] { return entered_; });
    }
    void open() {
        std::lock_guard<std::mutex> lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool entered_ = false, open_ = false;
};

}  // namespace

TEST(BackgroundWork, RunsBesideTheCallerAndHandsBackFailures) {
    std::thread::id ranOn;
    Gate gate;
    BackgroundWork work([&] {
        ranOn = std::this_thread::get_id();
        gate.pass();
    });
    gate.awaitEntry();  // started while this thread goes on
    gate.open();
    work.wait();
    EXPECT_NE(ranOn, std::this_thread::get_id());

    BackgroundWork failing([] { throw std::runtime_error("unreadable"); });
    EXPECT_THROW(failing.wait(), std::runtime_error);
}

// Work queued behind busy work runs on the caller's thread when it is waited
// for, is dropped when its object goes first, and an object going while its
// work runs waits for it.
TEST(BackgroundWork, WorkNotStartedRunsInWaitOrIsDropped) {
    Gate gate;
    std::atomic<bool> busyDone{false};
    auto busy = std::make_unique<BackgroundWork>([&] {
        gate.pass();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        busyDone = true;
    });
    gate.awaitEntry();
    bool droppedRan = false;
    const auto held = std::make_shared<int>(0);
    std::make_unique<BackgroundWork>([&, held] { droppedRan = true; }).reset();
    // What dropped work holds goes with its object, not when the thread comes
    // to it (at the end of the process it might be destroyed during exit).
    EXPECT_EQ(held.use_count(), 1);
    std::thread::id queuedRanOn;
    BackgroundWork queued([&] { queuedRanOn = std::this_thread::get_id(); });
    queued.wait();
    EXPECT_EQ(queuedRanOn, std::this_thread::get_id());
    gate.open();
    busy.reset();
    EXPECT_TRUE(busyDone);
    BackgroundWork after([] {});
    after.wait();
    EXPECT_FALSE(droppedRan);
}

TEST(BackgroundWork, RunsInWaitWhereNoThreadIsAllowed) {
    allowBackgroundThread(false);
    std::thread::id ranOn;
    BackgroundWork work([&] { ranOn = std::this_thread::get_id(); });
    EXPECT_EQ(ranOn, std::thread::id()) << "nothing before wait()";
    work.wait();
    EXPECT_EQ(ranOn, std::this_thread::get_id());
    allowBackgroundThread(true);
}
