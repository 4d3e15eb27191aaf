#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <signal.h>
#include <vector>

#include "qt_application.h"
#include "support/fixtures.h"
#include "ui/page_service.h"

namespace {

using fixtures::TempDir;

constexpr int Patience = 20000;  // milliseconds, for a busy test run
// The longest the event loop may be kept from running: far below the time
// limit of a page, which a blocking start or stop would cost.
constexpr qint64 Moment = 750;

// The longest time between two runs of the event loop while it lives.
class LoopWatch {
public:
    LoopWatch() {
        clock_.start();
        QObject::connect(&tick_, &QTimer::timeout, [this] {
            const qint64 now = clock_.elapsed();
            longest_ = std::max(longest_, now - last_);
            last_ = now;
        });
        tick_.start(5);
    }
    qint64 longest() const { return longest_; }

private:
    QElapsedTimer clock_;
    QTimer tick_;
    qint64 last_ = 0;
    qint64 longest_ = 0;
};

std::vector<pid_t> pidsIn(const std::string& path) {
    std::vector<pid_t> pids;
    std::ifstream in(path);
    for (pid_t pid = 0; in >> pid;) pids.push_back(pid);
    return pids;
}

bool anyRunning(const std::vector<pid_t>& pids) {
    return std::any_of(pids.begin(), pids.end(), [](pid_t pid) { return kill(pid, 0) == 0; });
}

// A drawing program that hangs, or one that is not there, costs the pages
// their pictures but never holds up the window; every process it started
// ends, by itself or killed after a grace, and none outlives the service.
TEST(PageServiceTest, AHangingOrMissingProgramNeverHoldsUpTheWindow) {
    ensureQtApplication();
    TempDir dir;
    const std::string pids = dir.file("pids");
    fixtures::writeFile(dir.file("hang"), "#!/bin/sh\necho $$ >> '" + pids + "'\nexec sleep 60\n");
    std::filesystem::permissions(dir.file("hang"), std::filesystem::perms::owner_all);
    struct Case {
        std::string program;
        bool tooSlow;
    } cases[] = {{dir.file("hang"), true}, {dir.file("missing"), false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.program);
        auto service = std::make_unique<PageService>(nullptr, QString::fromStdString(c.program));
        service->setTimeLimit(300);
        LoopWatch watch;
        std::vector<PageKey> keys;
        for (int page : {0, 1, 2}) keys.push_back({dir.file("a.pdf"), "", "", page, {40, 40}});
        for (const PageKey& key : keys) EXPECT_EQ(service->picture(key), nullptr);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return std::all_of(keys.begin(), keys.end(), [&](const PageKey& key) { return service->picture(key) != nullptr; });
            },
            Patience));
        for (const PageKey& key : keys) {
            EXPECT_FALSE(service->picture(key)->drawn());
            EXPECT_EQ(service->picture(key)->tooSlow, c.tooSlow);
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return !anyRunning(pidsIn(pids)); }, Patience));
        EXPECT_LT(watch.longest(), Moment);

        // One still drawing when the service goes ends with it.
        service->setTimeLimit(Patience);
        const std::size_t before = pidsIn(pids).size();
        service->picture({dir.file("a.pdf"), "", "", 3, {40, 40}});
        if (c.tooSlow) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return pidsIn(pids).size() > before; }, Patience));
        }
        service.reset();
        EXPECT_FALSE(anyRunning(pidsIn(pids)));
    }
}

}  // namespace
