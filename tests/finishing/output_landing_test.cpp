#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <stdexcept>

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include "finishing/output_landing.h"
#include "support/fixtures.h"

namespace {

using fixtures::errorOf;

using fixtures::TempDir;

std::function<void(std::FILE*)> writing(const std::string& text) {
    return [text](std::FILE* file) { std::fputs(text.c_str(), file); };
}

unsigned modeOf(const std::string& path) {
    struct stat status {};
    ::stat(path.c_str(), &status);
    return status.st_mode & 07777;
}

// What happened to each name of a folder, as inotify saw it.
class FolderWatch {
public:
    explicit FolderWatch(const std::string& folder) : descriptor_(inotify_init1(IN_NONBLOCK)) {
        inotify_add_watch(descriptor_, folder.c_str(), IN_CREATE | IN_MODIFY | IN_CLOSE_WRITE | IN_MOVED_TO);
    }
    ~FolderWatch() { ::close(descriptor_); }

    // "create", "modify", "close", "moved-to" for each event on name, in order.
    std::vector<std::string> eventsOn(const std::string& name) {
        char buffer[1 << 16];
        for (ssize_t length; (length = ::read(descriptor_, buffer, sizeof buffer)) > 0;) {
            for (char* at = buffer; at < buffer + length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                const std::string on = event->len ? event->name : "";
                if (event->mask & IN_CREATE) events_[on].push_back("create");
                if (event->mask & IN_MODIFY) events_[on].push_back("modify");
                if (event->mask & IN_CLOSE_WRITE) events_[on].push_back("close");
                if (event->mask & IN_MOVED_TO) events_[on].push_back("moved-to");
                at += sizeof(inotify_event) + event->len;
            }
        }
        return events_[name];
    }

private:
    int descriptor_;
    std::map<std::string, std::vector<std::string>> events_;
};

TEST(OutputLanding, EachOutputReachesItsTargetByOneRenameWhenComplete) {
    TempDir dir;
    fixtures::writeFile(dir.file("old.pdf"), "old contents");
    ::chmod(dir.file("old.pdf").c_str(), 0640);
    FolderWatch watch(dir.path());
    std::vector<std::string> landed;
    {
        OutputLanding landing([&](const WrittenOutput& output) { landed.push_back(output.path); });
        landing.stage({dir.file("new.pdf"), 2, true, false}, writing("new"));
        landing.stage({dir.file("old.pdf"), 1, false, false}, writing("replaced"));
        EXPECT_FALSE(fixtures::fileExists(dir.file("new.pdf")));  // staged, not landed yet
        landing.land();
    }
    EXPECT_EQ(landed, (std::vector<std::string>{dir.file("new.pdf"), dir.file("old.pdf")}));
    EXPECT_EQ(fixtures::readFile(dir.file("new.pdf")), "new");
    EXPECT_EQ(fixtures::readFile(dir.file("old.pdf")), "replaced");
    for (const char* name : {"new.pdf", "old.pdf"})
        EXPECT_EQ(watch.eventsOn(name), (std::vector<std::string>{"moved-to"})) << name;
    EXPECT_EQ(fixtures::filesIn(dir.path()), (std::vector<std::string>{"new.pdf", "old.pdf"}));

    // A replaced file keeps its permissions; a new one gets what the umask gives.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(modeOf(dir.file("old.pdf")), 0640u);
    EXPECT_EQ(modeOf(dir.file("new.pdf")), 0666u & ~mask);
}

TEST(OutputLanding, AFailureLeavesTheTargetAsItWasAndNothingBehind) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("folder.pdf"));
    fixtures::writeFile(dir.file("locked.pdf"), "locked");
    ::chmod(dir.file("locked.pdf").c_str(), 0444);
    fixtures::writeFile(dir.file("kept.pdf"), "kept");
    const std::string missing = dir.file("no such folder/out.pdf");
    struct Case {
        std::string target;
        std::function<void(std::FILE*)> write;
        std::string message;
    } cases[] = {
        {dir.file("folder.pdf"), writing("x"), "Cannot create file \"" + dir.file("folder.pdf") + "\". Is a directory"},
        {dir.file("locked.pdf"), writing("x"), "Cannot create file \"" + dir.file("locked.pdf") + "\". Permission denied"},
        {missing, writing("x"), "Cannot create file \"" + missing + "\". No such file or directory"},
        {dir.file("kept.pdf"), [](std::FILE*) { throw std::runtime_error("the picture is gone"); },
         "Cannot write file \"" + dir.file("kept.pdf") + "\": the picture is gone"},
        {dir.file("absent.pdf"), [](std::FILE*) { throw std::runtime_error("no space left"); },
         "Cannot write file \"" + dir.file("absent.pdf") + "\": no space left"},
    };
    for (const Case& c : cases) {
        OutputLanding landing(nullptr);
        EXPECT_EQ(errorOf([&] { landing.stage({c.target}, c.write); }), c.message);
    }
    EXPECT_EQ(fixtures::readFile(dir.file("locked.pdf")), "locked");
    EXPECT_EQ(fixtures::readFile(dir.file("kept.pdf")), "kept");
    EXPECT_EQ(fixtures::filesIn(dir.path()), (std::vector<std::string>{"folder.pdf", "kept.pdf", "locked.pdf"}));
}

TEST(OutputLanding, OutputsStagedBeforeAFailureLandWhenTheJobEnds) {
    TempDir dir;
    std::vector<std::string> landed;
    EXPECT_EQ(errorOf([&] {
                  OutputLanding landing([&](const WrittenOutput& output) { landed.push_back(output.path); });
                  landing.stage({dir.file("1.pdf")}, writing("one"));
                  landing.stage({dir.file("2.pdf")}, [](std::FILE*) { throw std::runtime_error("disk full"); });
              }),
              "Cannot write file \"" + dir.file("2.pdf") + "\": disk full");
    EXPECT_EQ(landed, (std::vector<std::string>{dir.file("1.pdf")}));
    EXPECT_EQ(fixtures::filesIn(dir.path()), (std::vector<std::string>{"1.pdf"}));
}

TEST(OutputLanding, TakesTheLongestNameTheFolderAllows) {
    TempDir dir;
    const std::string name = std::string(251, 'n') + ".pdf";
    OutputLanding landing(nullptr);
    landing.stage({dir.file(name)}, writing("long"));
    landing.land();
    EXPECT_EQ(fixtures::readFile(dir.file(name)), "long");
}

}  // namespace
