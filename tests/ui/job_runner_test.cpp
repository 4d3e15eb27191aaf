#include <gtest/gtest.h>

#include <QTest>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "qt_application.h"
#include "jobs/job_reporter.h"
#include "support/scripted_dialogs.h"
#include "ui/job_runner.h"

namespace {

// A job's message and translation reach the window's thread while the runner
// lives; once it is destroyed, a job waiting for them is let go at once (the
// message unshown, the translation empty) and asked to stop, instead of
// keeping the closing window waiting for it.
TEST(JobRunnerTest, AJobWaitingForTheWindowIsLetGoWhenTheRunnerIsDestroyed) {
    ensureQtApplication();
    for (const bool destroyed : {false, true}) {
        SCOPED_TRACE(destroyed);
        ScriptedDialogs dialogs;
        auto runner = std::make_unique<JobRunner>(dialogs, [](const std::string& key) { return "text of " + key; });
        bool finished = false;
        QObject::connect(runner.get(), &JobRunner::finished, [&] { finished = true; });
        std::atomic<bool> asking{false};
        std::string translated = "none";
        bool stopSeen = false;
        runner->start(
            [&](JobReporter& reporter) {
                asking = true;
                reporter.showMessage("first");
                translated = reporter.translation("key");
                stopSeen = reporter.stopRequested();
            },
            nullptr);
        if (destroyed) {
            while (!asking) std::this_thread::yield();
            std::this_thread::sleep_for(std::chrono::milliseconds(50));  // into its wait, most likely
            runner.reset();
            EXPECT_TRUE(dialogs.messages.empty());
            EXPECT_EQ(translated, "");
            EXPECT_TRUE(stopSeen);
        } else {
            ASSERT_TRUE(QTest::qWaitFor([&] { return finished; }, 20000));
            EXPECT_EQ(dialogs.messages, std::vector<std::string>{"first"});
            EXPECT_EQ(translated, "text of key");
            EXPECT_FALSE(stopSeen);
        }
    }
}

}  // namespace
