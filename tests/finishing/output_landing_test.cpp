#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <thread>

#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
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

TEST(OutputLanding, EachOutputReachesItsTargetInOneStepWhenComplete) {
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
    // A new name appears as a link to a complete unnamed file or by a
    // rename; a replaced file always by a rename. Never written under its name.
    const std::vector<std::string> newName = watch.eventsOn("new.pdf");
    EXPECT_TRUE(newName == std::vector<std::string>{"create"} || newName == std::vector<std::string>{"moved-to"})
        << ::testing::PrintToString(newName);
    EXPECT_EQ(watch.eventsOn("old.pdf"), (std::vector<std::string>{"moved-to"}));
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

// Everything under a folder, hidden files included, in name order: a link as
// "name->target", a file as "name=bytes" with its permissions when they are
// not the usual, a FIFO as "name:fifo", a device as "name:device".
std::string describe(const std::string& folder) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string name = entry.path().lexically_relative(folder).string();
        const fs::file_status status = entry.symlink_status();
        if (fs::is_symlink(status))
            entries[name] = name + "->" + fs::read_symlink(entry.path()).string();
        else if (fs::is_regular_file(status))
            entries[name] = name + "=" + fixtures::readFile(entry.path());
        else if (fs::is_fifo(status))
            entries[name] = name + ":fifo";
        else if (fs::is_character_file(status))
            entries[name] = name + ":device";
        else if (fs::is_directory(status))
            entries[name] = name + "/";
    }
    std::string text;
    for (const auto& [name, description] : entries) text += (text.empty() ? "" : " ") + description;
    return text;
}

// Standard output goes to a file while the object lives.
class StandardOutputInto {
public:
    explicit StandardOutputInto(const std::string& path) : saved_(::dup(STDOUT_FILENO)) {
        std::fflush(stdout);
        const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(file, STDOUT_FILENO);
        ::close(file);
    }
    ~StandardOutputInto() {
        ::dup2(saved_, STDOUT_FILENO);
        ::close(saved_);
    }

private:
    int saved_;
};

TEST(OutputLanding, SpecialTargetsAreWrittenThroughOrFollowedNeverReplaced) {
    struct Case {
        const char* what;
        std::function<std::string(const TempDir&)> make;  // the target named
        std::string after;  // describe() of the folder once the output landed
    } cases[] = {
        {"a link to a file beside it",
         [](const TempDir& dir) {
             fixtures::writeFile(dir.file("real.pdf"), "old");
             ::symlink("real.pdf", dir.file("link.pdf").c_str());
             return dir.file("link.pdf");
         },
         "link.pdf->real.pdf real.pdf=out"},
        {"links into another folder",
         [](const TempDir& dir) {
             std::filesystem::create_directory(dir.file("other"));
             fixtures::writeFile(dir.file("other/real.pdf"), "old");
             ::symlink(dir.file("other/real.pdf").c_str(), dir.file("link.pdf").c_str());
             ::symlink("link.pdf", dir.file("chain.pdf").c_str());
             return dir.file("chain.pdf");
         },
         "chain.pdf->link.pdf link.pdf->" + std::string("@/other/real.pdf") + " other/ other/real.pdf=out"},
        {"a link to a file not there yet",
         [](const TempDir& dir) {
             ::symlink("made.pdf", dir.file("link.pdf").c_str());
             return dir.file("link.pdf");
         },
         "link.pdf->made.pdf made.pdf=out"},
        {"a FIFO",
         [](const TempDir& dir) {
             ::mkfifo(dir.file("fifo").c_str(), 0600);
             return dir.file("fifo");
         },
         "fifo:fifo read=out"},
        {"a device",
         [](const TempDir& dir) {
             // Where making a device is not allowed, /dev/null itself.
             if (::mknod(dir.file("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) return std::string("/dev/null");
             return dir.file("null");
         },
         "null:device"},
        {"standard output",
         [](const TempDir&) { return std::string("-"); },
         "stdout=out"},
        {"standard output by its name",
         [](const TempDir&) { return std::string("/dev/stdout"); },
         "stdout=out"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const std::string target = c.make(dir);
        std::thread reader;
        if (std::string(c.what) == "a FIFO")
            reader = std::thread([&] { fixtures::writeFile(dir.file("read"), fixtures::readFile(target)); });
        std::string error;
        {
            StandardOutputInto redirected(dir.file("stdout"));
            std::vector<std::string> landed;
            OutputLanding landing([&](const WrittenOutput& output) { landed.push_back(output.path); });
            error = fixtures::errorOf([&] {
                landing.stage({target, 1}, writing("out"));
                landing.land();
            });
            EXPECT_EQ(landed, std::vector<std::string>{target}) << c.what;
        }
        if (reader.joinable()) reader.join();
        if (target != "-" && target != "/dev/stdout" && fixtures::readFile(dir.file("stdout")).empty())
            std::filesystem::remove(dir.file("stdout"));
        std::string expected = c.after;
        if (const std::size_t at = expected.find('@'); at != std::string::npos) expected.replace(at, 1, dir.path());
        if (target == "/dev/null") expected = "";
        EXPECT_EQ(error, "(no error)") << c.what;
        EXPECT_EQ(describe(dir.path()), expected) << c.what;
    }
}

TEST(OutputLanding, AFileReachedThroughALinkKeepsItsPermissions) {
    TempDir dir;
    fixtures::writeFile(dir.file("real.pdf"), "old");
    ::chmod(dir.file("real.pdf").c_str(), 0640);
    ::symlink("real.pdf", dir.file("link.pdf").c_str());
    OutputLanding landing(nullptr);
    landing.stage({dir.file("link.pdf")}, writing("new"));
    landing.land();
    EXPECT_EQ(modeOf(dir.file("real.pdf")), 0640u);
    EXPECT_EQ(fixtures::readFile(dir.file("real.pdf")), "new");
}

TEST(OutputLanding, KnowsWhenAnOutputGoesToStandardOutput) {
    TempDir dir;
    fixtures::writeFile(dir.file("a.pdf"), "");
    for (const auto& [path, expected] : std::map<std::string, bool>{
             {"-", true}, {"/dev/stdout", true}, {"/dev/fd/1", true}, {"/dev/stderr", false}, {dir.file("a.pdf"), false}})
        EXPECT_EQ(landsOnStandardOutput(path), expected) << path;
}

}  // namespace
