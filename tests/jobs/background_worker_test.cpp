#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "base/background_worker.h"

namespace {

// Work runs on one thread other than the owner's, one piece after the other
// in the order handed over, while the owner goes on.
TEST(BackgroundWorker, RunsEachPieceOnItsThreadInOrderWhileTheOwnerGoesOn) {
    std::vector<int> done;
    std::vector<std::thread::id> threads;
    std::atomic<bool> released{false};
    {
        BackgroundWorker worker;
        worker.start([&] {
            while (!released) std::this_thread::yield();
            done.push_back(1);
            threads.push_back(std::this_thread::get_id());
        });
        released = true;  // the owner got here while the first piece waited
        for (int piece = 2; piece <= 4; ++piece)
            worker.start([&, piece] {
                done.push_back(piece);
                threads.push_back(std::this_thread::get_id());
            });
        worker.start([] { std::this_thread::sleep_for(std::chrono::milliseconds(20)); });
        worker.start([&] { done.push_back(5); });
    }  // the last piece is done before the worker goes
    EXPECT_EQ(done, (std::vector<int>{1, 2, 3, 4, 5}));
    ASSERT_EQ(threads.size(), 4u);
    for (const std::thread::id& thread : threads) {
        EXPECT_EQ(thread, threads.front());
        EXPECT_NE(thread, std::this_thread::get_id());
    }
}

// A piece's failure comes out of the next start or wait, once; the worker
// serves the pieces after it.
TEST(BackgroundWorker, AFailureComesOutOfTheNextCallOnce) {
    BackgroundWorker worker;
    worker.start([] { throw std::runtime_error("first"); });
    try {
        worker.start([] {});
        FAIL() << "the failure was lost";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()), "first");
    }
    worker.wait();  // the piece handed over with the failure did not run; nothing else is pending
    worker.start([] { throw std::runtime_error("second"); });
    EXPECT_THROW(worker.wait(), std::runtime_error);
    EXPECT_NO_THROW(worker.wait());
    bool ran = false;
    worker.start([&] { ran = true; });
    worker.wait();
    EXPECT_TRUE(ran);
}

TEST(BackgroundWorker, FailureOfTheLastPieceIsDroppedWhenTheWorkerGoes) {
    EXPECT_NO_THROW({
        BackgroundWorker worker;
        worker.start([] { throw std::runtime_error("unheard"); });
    });
}

}  // namespace
