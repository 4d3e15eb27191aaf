#include <gtest/gtest.h>

#include "jobs/bookmark_split_plan.h"
#include "jobs/title_file_names.h"
#include "support/fixtures.h"

namespace {

// "title:first-last" per file, "-" as the title of the pages before the first cut.
std::string planText(const std::vector<OutlineEntry>& entries, int level, int pageCount) {
    std::string text;
    int number = 0;
    for (const BookmarkFile& file : planBookmarkSplit(entries, level, pageCount)) {
        EXPECT_EQ(file.number, ++number);
        text += (text.empty() ? "" : " ") + (file.titled ? file.title : "-") + ":" + std::to_string(file.firstPage) +
                "-" + std::to_string(file.lastPage);
    }
    return text;
}

TEST(BookmarkSplitPlan, CutsAtTheBookmarksOfTheLevelAndAbove) {
    // Pages are 0-based in the outline, 1-based in the plan.
    const std::vector<OutlineEntry> book = {
        {1, "Front", 0}, {2, "Preface", 1}, {1, "Body", 2}, {2, "Part A", 3}, {3, "A.1", 4}, {2, "Part B", 5},
        {1, "Web", -1},
    };
    const struct {
        const char* name;
        std::vector<OutlineEntry> entries;
        int level, pageCount;
        std::string files;
    } cases[] = {
        {"level 1", book, 1, 8, "Front:1-2 Body:3-8"},
        {"level 2: a chapter before its first section is a file of its own", book, 2, 8,
         "Front:1-1 Preface:2-2 Body:3-3 Part A:4-5 Part B:6-8"},
        {"level 3", book, 3, 6, "Front:1-1 Preface:2-2 Body:3-3 Part A:4-4 A.1:5-5 Part B:6-6"},
        {"pages before the first bookmark", {{1, "One", 2}, {1, "Two", 4}}, 1, 6, "-:1-2 One:3-4 Two:5-6"},
        {"a bookmark on page 1 and one on the last page", {{1, "One", 0}, {1, "Last", 5}}, 1, 6, "One:1-5 Last:6-6"},
        {"two bookmarks on one page: the later starts the file", {{1, "Cover", 0}, {1, "Title", 0}, {1, "Text", 1}},
         1, 3, "Title:1-1 Text:2-3"},
        {"a chapter and its first section on one page", {{1, "Ch 1", 0}, {2, "1.1", 0}, {2, "1.2", 2}}, 2, 4,
         "1.1:1-2 1.2:3-4"},
        {"out of page order", {{1, "Late", 3}, {1, "Early", 1}}, 1, 5, "-:1-1 Early:2-3 Late:4-5"},
        {"targets beyond the pages and none are left out", {{1, "Gone", 9}, {1, "None", -1}, {1, "Here", 1}}, 1, 4,
         "-:1-1 Here:2-4"},
        {"no bookmark at the level", book, 4, 8, ""},
        {"only bookmarks without a page", {{1, "Web", -1}}, 1, 3, ""},
        {"no bookmarks", {}, 1, 3, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(planText(c.entries, c.level, c.pageCount), c.files) << c.name;
}

TEST(TitleFileNames, TitlesBecomeSafeFileNames) {
    const std::string e = "\xC3\xA9";  // é, two bytes
    std::string long201 = "x";
    for (int i = 0; i < 100; ++i) long201 += e;
    const struct {
        std::string title, stem;
    } cases[] = {
        {"Input/Output", "Input_Output"},
        {"a\\b:c*d?\"e\"<f>|g", "a_b_c_d__e__f__g"},
        {"Line\nbreak\ttab\x7F", "Line_break_tab_"},
        {"next line \xC2\x85 here " + e, "next line _ here " + e},
        {"  . hidden dots . ", "hidden dots"},
        {"..", ""},
        {"con", "_con"},
        {"COM1.part", "_COM1.part"},
        {"Console", "Console"},
        {"photo\xE2\x80\xAEgpj.exe", "photogpj.exe"},                       // right-to-left override
        {"\xE2\x81\xA6" "a\xE2\x80\x8B" "b\xE2\x81\xA9\xEF\xBB\xBF", "ab"},  // isolates, zero width
        {"\xE2\x80\x8B . x", "x"},                                          // hidden, then trimmed
        {"", ""},
        {long201, long201.substr(0, 199)},  // not inside the last é
        // Invisible characters go: a right-to-left override would show "gpj.exe" as "exe.jpg".
        {"photo\xE2\x80\xAEgpj.exe", "photogpj.exe"},
        {"a\xE2\x80\x8B" "b\xE2\x81\xA6" "c\xE2\x81\xA9\xEF\xBB\xBF\xE2\x80\x8F", "abc"},
        // Composed normal form: "cafe" + combining acute is "café"; s + dot below + dot above is one letter.
        {"cafe\xCC\x81", "caf" + e},
        {"s\xCC\xA3\xCC\x87", "\xE1\xB9\xA9"},
        {"\xFF not UTF-8", "\xFF not UTF-8"},
    };
    for (const auto& c : cases) EXPECT_EQ(fileStemOfTitle(c.title), c.stem) << c.title;
    EXPECT_EQ(fileStemOfTitle(std::string(300, 'a')).size(), MostTitleNameBytes);
}

TEST(TitleFileNames, RepeatedNamesAndTheInputGetANumber) {
    const std::string long200(200, 'L');
    const std::vector<std::string> names =
        uniqueOutputNames("/out/", {"Intro", "intro", "Intro", "book", "Intro (2)", long200, long200}, "/out/book.pdf");
    EXPECT_EQ(names, (std::vector<std::string>{"/out/Intro.pdf", "/out/intro (2).pdf", "/out/Intro (3).pdf",
                                               "/out/book (2).pdf", "/out/Intro (2) (2).pdf", "/out/" + long200 + ".pdf",
                                               "/out/" + long200.substr(0, 196) + " (2).pdf"}));

    // Titles that show alike give names that are told apart.
    EXPECT_EQ(uniqueOutputNames("/out/", {fileStemOfTitle("caf\xC3\xA9"), fileStemOfTitle("cafe\xCC\x81")}, "/in.pdf"),
              (std::vector<std::string>{"/out/caf\xC3\xA9.pdf", "/out/caf\xC3\xA9 (2).pdf"}));
}

TEST(TitleFileNames, TheInputSpelledOtherwiseIsKnownByItsIdentity) {
    fixtures::TempDir dir;
    fixtures::writeFile(dir.file("book.pdf"), "");
    EXPECT_EQ(uniqueOutputNames(dir.path() + "/./", {"book", "other"}, dir.file("book.pdf")),
              (std::vector<std::string>{dir.path() + "/./book (2).pdf", dir.path() + "/./other.pdf"}));
}

}  // namespace
