#include <gtest/gtest.h>

#include <filesystem>

#include "jobs/planned_outputs.h"
#include "jobs/split_job.h"
#include "support/fixtures.h"
#include "support/recording_reporter.h"

namespace {

using fixtures::BookmarkFixture;
using fixtures::TempDir;

// "name[markers]" for every file of a folder, in name order.
std::string folderText(const TempDir& folder) {
    std::string text;
    for (const std::string& name : fixtures::filesIn(folder.path()))
        text += (text.empty() ? "" : " ") + name + "[" + fixtures::markerText(folder.file(name)) + "]";
    return text;
}

class SplitBy : public ::testing::Test {
protected:
    SplitRequest request(const std::string& input, SplitMethod method) {
        SplitRequest o;
        o.input = {input, inputs.folder(), ""};
        o.method = method;
        o.baseName = "bk_";
        o.destinationFolder = outputs.folder();
        return o;
    }
    // Runs the job, finished as the program does (the structure carried);
    // returns the failure text, or "" when it ended normally.
    std::string run(const SplitRequest& o) {
        try {
            runSplit(o, reporter);
            return "";
        } catch (const std::exception& error) {
            return error.what();
        }
    }

    TempDir inputs, outputs;
    RecordingReporter reporter;
};

TEST_F(SplitBy, BookmarksOfALevelWithTheirChildren) {
    // B1 before the first bookmark; "Part" twice; a chapter and its first section on B4.
    fixtures::writeMarkedPdf(inputs.file("book.pdf"), "B", 8,
                             fixtures::PdfOptions().withBookmarks({{"Intro/Start", 1, 2},
                                                                   {"Scope", 2, 3},
                                                                   {"Part", 1, 4},
                                                                   {"A", 2, 4},
                                                                   {"B", 2, 6},
                                                                   {"Web", 2, 0},
                                                                   {"Part", 1, 8}}));
    fixtures::writeMarkedPdf(inputs.file("plain.pdf"), "P", 3);
    const std::string noLevel3 = inputs.file("book.pdf") + " has no bookmarks at level 3, so nothing was written";
    const struct {
        const char* name;
        std::string input, level;
        bool titles;
        std::string files, failure;
        std::vector<std::pair<std::string, std::string>> trees;  // file and its bookmarks
    } cases[] = {
        {"level 1, numbered", "book.pdf", "1", false, "bk_1.pdf[B1] bk_2.pdf[B2 B3] bk_3.pdf[B4 B5 B6 B7] bk_4.pdf[B8]", "",
         {{"bk_1.pdf", ""}, {"bk_2.pdf", "Intro/Start [Scope]"}, {"bk_3.pdf", "Part [A B]"}}},
        {"level 1, titled", "book.pdf", "1", true,
         "Intro_Start.pdf[B2 B3] Part (2).pdf[B8] Part.pdf[B4 B5 B6 B7] bk_1.pdf[B1]", "",
         {{"Part (2).pdf", "Part"}}},
        {"level 2, titled", "book.pdf", "2", true,
         "A.pdf[B4 B5] B.pdf[B6 B7] Intro_Start.pdf[B2] Part.pdf[B8] Scope.pdf[B3] bk_1.pdf[B1]", "",
         {{"A.pdf", "Part [A]"}, {"Scope.pdf", "Intro/Start [Scope]"}}},
        {"no bookmark at the level", "book.pdf", "3", false, "", noLevel3, {}},
        {"no bookmarks at all", "plain.pdf", "1", true, "",
         inputs.file("plain.pdf") + " has no bookmarks at level 1, so nothing was written", {}},
        {"level 0", "book.pdf", "0", false, "", "'0' is no bookmark level: the top level is 1", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SplitRequest o = request(c.input, SplitMethod::ByBookmarks);
        o.bookmarkLevel = c.level;
        o.titleNames = c.titles;
        EXPECT_EQ(run(o), c.failure);
        EXPECT_EQ(folderText(outputs), c.files);
        for (const auto& [file, tree] : c.trees) EXPECT_EQ(fixtures::bookmarkTree(outputs.file(file)), tree) << file;
        if (c.failure.empty()) {
            std::vector<std::string> planned;
            for (const std::string& name : fixtures::filesIn(outputs.path())) planned.push_back(outputs.file(name));
            std::vector<std::string> predicted = plannedOutputs(o, 8);
            std::sort(predicted.begin(), predicted.end());
            EXPECT_EQ(predicted, planned) << "the window asks about the files the split writes";
        }
        for (const std::string& name : fixtures::filesIn(outputs.path())) std::filesystem::remove(outputs.file(name));
    }
}

TEST_F(SplitBy, SizeKeepsEveryFileWithinTheLimitButAPageLargerAlone) {
    // 20 KB of picture on every page, 120 KB on page 7.
    fixtures::PdfOptions pictures;
    for (int page = 1; page <= 12; ++page) pictures.withPicture(page, page == 7 ? 120000 : 20000);
    fixtures::writeMarkedPdf(inputs.file("pictures.pdf"), "A", 12, pictures);
    const struct {
        const char* name;
        std::string limit;
        std::string password;
        std::string alone;  // the pages over the limit
    } cases[] = {
        {"70 KB", "70K", "", "7 (" + outputs.file("bk_03.pdf") + ")"},
        {"70 KB, protected", "70K", "secret", "7 (" + outputs.file("bk_03.pdf") + ")"},
        {"1 MB: one file", "1M", "", ""},
        {"every page over", "1000", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SplitRequest o = request("pictures.pdf", SplitMethod::BySize);
        o.sizeLimit = c.limit;
        o.protection.outputPassword = c.password;
        reporter.messages.clear();
        EXPECT_EQ(run(o), "");
        const long long limit = o.sizeLimitBytes();
        std::string pages;
        int overLimit = 0;
        const std::vector<std::string> names = fixtures::filesIn(outputs.path());
        for (const std::string& name : names) {
            const std::string path = outputs.file(name);
            const std::vector<std::string> markers = fixtures::readMarkers(path, c.password);
            for (const std::string& marker : markers) pages += (pages.empty() ? "" : " ") + marker;
            if (static_cast<long long>(std::filesystem::file_size(path)) > limit) {
                ++overLimit;
                EXPECT_EQ(markers.size(), 1u) << name << " is over the limit with more than one page";
            }
            std::filesystem::remove(path);
        }
        EXPECT_EQ(pages, fixtures::markerRun("A", 1, 12)) << "every page once, in order";
        if (c.limit == "1M") {
            EXPECT_EQ(names.size(), 1u);
        } else if (c.limit == "1000") {
            EXPECT_EQ(overLimit, 12);
        } else {
            EXPECT_EQ(overLimit, 1);
            EXPECT_EQ(reporter.messages, std::vector<std::string>{"<MsgPagesOverSize> " + c.alone});
            EXPECT_EQ(names.size(), 5u) << "three pages of 20 KB fit, four do not";
        }
    }
}

TEST_F(SplitBy, SizeNeedsASizeOfOneByteOrMore) {
    fixtures::writeMarkedPdf(inputs.file("a.pdf"), "A", 2);
    for (const char* limit : {"0", "", "M", "10G", "-5K", "1.5M"}) {
        SplitRequest o = request("a.pdf", SplitMethod::BySize);
        o.sizeLimit = limit;
        EXPECT_EQ(run(o), "'" + std::string(limit) + "' is no file size: give a number of bytes, K or M of 1 or more");
    }
    EXPECT_TRUE(fixtures::filesIn(outputs.path()).empty());
}

}  // namespace
