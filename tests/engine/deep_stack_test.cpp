#include "engine/deep_stack.h"

#include <gtest/gtest.h>

#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

// About a kilobyte of stack a frame: 100,000 frames need some 100 MB, far
// past an ordinary thread's 8 MB.
int descend(int depth) {
    volatile char frame[1024];
    frame[0] = static_cast<char>(depth);
    return depth == 0 ? frame[0] : descend(depth - 1) + 1;
}

}  // namespace

TEST(DeepStack, OneThreadServesEveryCallerAndHandsBackFailures) {
    std::set<std::thread::id> servers;
    std::mutex serversLock;
    auto call = [&] {
        runOnDeepStack([&] {
            std::lock_guard<std::mutex> lock(serversLock);
            servers.insert(std::this_thread::get_id());
        });
    };
    std::vector<std::thread> callers;
    for (int i = 0; i < 8; ++i) callers.emplace_back([&] {
        for (int j = 0; j < 50; ++j) call();
    });
    for (auto& caller : callers) caller.join();
    ASSERT_EQ(servers.size(), 1u);
    EXPECT_EQ(servers.count(std::this_thread::get_id()), 0u);

    EXPECT_THROW(runOnDeepStack([] { throw std::runtime_error("import failed"); }), std::runtime_error);
    bool nestedRan = false;
    runOnDeepStack([&] { runOnDeepStack([&] { nestedRan = true; }); });
    EXPECT_TRUE(nestedRan);
    call();
    EXPECT_EQ(servers.size(), 1u);
}

TEST(DeepStack, TakesARecursionFarPastAnOrdinaryStack) {
    int reached = 0;
    runOnDeepStack([&] { reached = descend(100000); });
    EXPECT_EQ(reached, 100000);
}
