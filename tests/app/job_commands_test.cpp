#include <gtest/gtest.h>

#include <QColor>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <deque>
#include <filesystem>
#include <optional>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <sstream>
#include <sys/stat.h>

#include "app/job_commands.h"
#include "app/job_result.h"
#include "json_schema.h"
#include "support/damaged_pdfs.h"
#include "support/fixtures.h"
#include "support/process.h"

namespace {

using fixtures::markerText;
using fixtures::TempDir;

struct CommandResult {
    int exitCode = -1;
    std::string out, err;
};

// The JSON document in short: each file "path:pages:protectedBy:stampedBy",
// then each note's file, then the error's file, "-" for null.
std::string jsonSummary(const QJsonObject& document) {
    const auto text = [](const QJsonValue& value) { return value.isNull() ? std::string("-") : value.toVariant().toString().toStdString(); };
    std::string summary;
    for (const QJsonValue& file : document["files"].toArray())
        summary += text(file["path"]) + ":" + text(file["pages"]) + ":" + text(file["protectedBy"]) + ":" +
                   text(file["stampedBy"]) + " ";
    summary += "notes";
    for (const QJsonValue& note : document["notes"].toArray()) summary += " " + text(note["file"]);
    return summary + " error " + (document["error"].isNull() ? "-" : text(document["error"]["file"]));
}

// Runs job commands in-process, in a folder of their own, as the program
// would with the stored protection given.
class JobCommands : public ::testing::Test {
protected:
    void SetUp() override {
        fixtures::writeMarkedPdf(dir.file("A.pdf"), "A", 7);
        fixtures::writeMarkedPdf(dir.file("B.pdf"), "B", 4);
        fixtures::writeMarkedPdf(dir.file("C.pdf"), "C", 2);
        fixtures::writeMarkedPdf(dir.file("locked.pdf"), "L", 2, fixtures::PdfOptions().withPassword("right"));
        previousFolder = std::filesystem::current_path();
        std::filesystem::current_path(dir.path());
    }
    void TearDown() override { std::filesystem::current_path(previousFolder); }

    CommandResult run(const std::vector<std::string>& arguments, const std::string& standardInput = "") {
        std::ostringstream out, err;
        std::istringstream in(standardInput);
        const JobCommandContext context{out,           err, in, [](const std::string& key) { return "<" + key + ">"; },
                                        storedProtection, ask, showProgress};
        const int exitCode = runJobCommand(arguments, context);
        return {exitCode, out.str(), err.str()};
    }
    // "name: markers; name: markers" for the given files.
    std::string outputs(const std::vector<std::string>& names, const std::string& password = "") {
        std::string text;
        for (const std::string& name : names)
            text += (text.empty() ? "" : "; ") + name + ": " + markerText(dir.file(name), password);
        return text;
    }
    void writePicture(const std::string& name) {
        QImage picture(8, 8, QImage::Format_ARGB32);
        picture.fill(QColor(200, 0, 0, 128));
        ASSERT_TRUE(picture.save(QString::fromStdString(dir.file(name))));
    }
    static bool everyPageHasAPicture(const std::string& path, const std::string& password = "") {
        QPDF pdf;
        pdf.processFile(path.c_str(), password.empty() ? nullptr : password.c_str());
        for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages())
            if (page.getImages().empty()) return false;
        return true;
    }

    TempDir dir, other;
    Protection storedProtection;
    AskPassword ask;
    bool showProgress = false;
    std::filesystem::path previousFolder;
};

TEST_F(JobCommands, SplitByEveryMethod) {
    struct Case {
        std::vector<std::string> options;
        std::vector<std::string> files;
        std::string pages;
    } cases[] = {
        {{}, {"A_1.pdf", "A_7.pdf"}, "A_1.pdf: A1; A_7.pdf: A7"},
        {{"--pages", "3"}, {"A_1.pdf", "A_2.pdf", "A_3.pdf"}, "A_1.pdf: A1 A2 A3; A_2.pdf: A4 A5 A6; A_3.pdf: A7"},
        {{"--groups", "2", "--from", "3"}, {"A_1.pdf", "A_3.pdf"}, "A_1.pdf: A3 A4; A_3.pdf: A7"},
        {{"--each", "3", "--from", "2"}, {"A_1.pdf", "A_2.pdf"}, "A_1.pdf: A4; A_2.pdf: A7"},
        {{"--ranges", "2-3,1;5", "--name", "part-"}, {"part-1.pdf", "part-2.pdf"}, "part-1.pdf: A2 A3 A1; part-2.pdf: A5"},
        // A value after "=", also one holding "=" or beginning with "-".
        {{"--ranges=2-3,1;5", "--name=p=-"}, {"p=-1.pdf", "p=-2.pdf"}, "p=-1.pdf: A2 A3 A1; p=-2.pdf: A5"},
        {{"--each=3", "--from=2"}, {"A_1.pdf", "A_2.pdf"}, "A_1.pdf: A4; A_2.pdf: A7"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments{"split", "A.pdf"};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        const CommandResult result = run(arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(outputs(c.files), c.pages);
        EXPECT_NE(result.out.find(c.files.back() + " ("), std::string::npos) << result.out;
    }
    EXPECT_EQ(run({"split", "A.pdf", "--pages", "4"}).out, "A_1.pdf (4 pages)\nA_2.pdf (3 pages)\n");
    EXPECT_EQ(run({"split", "A.pdf", "--ranges", "7"}).out, "A_1.pdf (1 page)\n");
}

// Each listed page count is what the written file holds; an output name as
// long as the folder allows is written; a damaged input is named as repaired.
TEST_F(JobCommands, ListingMatchesTheWrittenFiles) {
    const std::string longBase(250, 'n');
    const CommandResult result = run({"split", "A.pdf", "--pages", "3", "--name", longBase});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::istringstream lines(result.out);
    int listed = 0;
    for (std::string line; std::getline(lines, line); ++listed) {
        const std::size_t open = line.rfind(" (");
        const std::string path = line.substr(0, open);
        QPDF pdf;
        pdf.processFile(path.c_str());
        EXPECT_EQ(line.substr(open), " (" + std::to_string(QPDFPageDocumentHelper(pdf).getAllPages().size()) +
                                         (pdf.getAllPages().size() == 1 ? " page)" : " pages)"));
        EXPECT_EQ(std::filesystem::path(path).filename().string().size(), 255u);
    }
    EXPECT_EQ(listed, 3);

    for (const fixtures::DamagedPdf& entry : fixtures::damagedPdfs())
        if (entry.name == "broken-xref.pdf") fixtures::placeDamagedPdf(dir.folder(), entry);
    const CommandResult repaired = run({"merge", "broken-xref.pdf", "C.pdf", "-o", "joined.pdf"});
    EXPECT_EQ(repaired.exitCode, 0);
    EXPECT_EQ(repaired.err, "Note: broken-xref.pdf is damaged; it was read as repaired\n");
    EXPECT_EQ(markerText(dir.file("joined.pdf")), "A1 A2 A3 C1 C2");
}

TEST_F(JobCommands, InvalidRangeIsReportedAndTheFilesAreStillWritten) {
    const CommandResult result = run({"split", "A.pdf", "--ranges", "4-2,1;3", "--to", other.path()});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "The following page range is invalid and was skipped: 4-2\n");
    EXPECT_EQ(markerText(other.file("A_1.pdf")) + "|" + markerText(other.file("A_2.pdf")), "A1|A3");
    EXPECT_EQ(result.out, other.file("A_1.pdf") + " (1 page)\n" + other.file("A_2.pdf") + " (1 page)\n");
}

TEST_F(JobCommands, MergeThreeFilesWithPasswordsInAndOut) {
    const CommandResult result = run({"merge", "A.pdf", "locked.pdf", "C.pdf", "-o", "all.pdf", "--password", "wrong",
                                      "--password", "right", "--output-password", "secret"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "all.pdf (11 pages)\n");
    EXPECT_EQ(result.err, "") << "no completion message";
    EXPECT_EQ(markerText(dir.file("all.pdf"), "secret"), fixtures::markerRun("A", 1, 7) + " L1 L2 C1 C2");
    EXPECT_ANY_THROW(fixtures::readMarkers(dir.file("all.pdf")));

    const CommandResult refused = run({"merge", "A.pdf", "locked.pdf", "-o", "none.pdf"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, "Password required or incorrect password: locked.pdf\n");
    EXPECT_FALSE(fixtures::fileExists(dir.file("none.pdf")));
}

TEST_F(JobCommands, MixWithEachCombinationOfMethods) {
    fixtures::writeMarkedPdf(dir.file("S.pdf"), "S", 6);
    fixtures::writeMarkedPdf(dir.file("T.pdf"), "T", 5);
    fixtures::writeMarkedPdf(dir.file("U.pdf"), "U", 3);
    struct Case {
        std::vector<std::string> arguments;
        std::vector<std::string> files;
        std::string pages;
    } cases[] = {
        {{"mix", "A.pdf", "B.pdf", "--second", "each:1"}, {"A_1.pdf", "A_2.pdf", "A_3.pdf"},
         "A_1.pdf: A1 A2 A3 B1; A_2.pdf: A4 A5 A6 B2; A_3.pdf: A7 B3"},
        {{"mix", "S.pdf", "T.pdf", "--first", "each:2", "--second", "each:2:2"}, {"S_1.pdf", "S_2.pdf", "S_3.pdf"},
         "S_1.pdf: S2 T3; S_2.pdf: S4 T5; S_3.pdf: S6 T2"},
        {{"mix", "A.pdf", "U.pdf", "--first", "each:3", "--second", "group:1", "--name", "e_"},
         {"e_1.pdf", "e_2.pdf", "e_3.pdf"}, "e_1.pdf: A3 U1; e_2.pdf: A6 U2; e_3.pdf: U3"},
        {{"mix", "A.pdf", "U.pdf", "--first", "group:2", "--second", "group:2", "--name", "g_"},
         {"g_1.pdf", "g_2.pdf", "g_4.pdf"}, "g_1.pdf: A1 A2 U1 U2; g_2.pdf: A3 A4 U3; g_4.pdf: A7 U3"},
        {{"mix", "C.pdf", "U.pdf", "--first", "group:1", "--second", "group:1", "--reverse-second", "--single-file"},
         {"C_mixed.pdf"}, "C_mixed.pdf: C1 U3 C2 U2"},
    };
    for (const Case& c : cases) {
        const CommandResult result = run(c.arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.err, "") << "no completion message";
        EXPECT_EQ(outputs(c.files), c.pages);
    }
}

TEST_F(JobCommands, MergeAndMixMakeAnEntryPerFileWhenAsked) {
    ASSERT_EQ(run({"merge", "A.pdf", "B.pdf", "-o", "files.pdf", "--bookmarks", "per-file"}).exitCode, 0);
    EXPECT_EQ(fixtures::bookmarkTitles(dir.file("files.pdf")), "A B");
    ASSERT_EQ(run({"mix", "A.pdf", "B.pdf", "--single-file", "--bookmarks", "per-file"}).exitCode, 0);
    EXPECT_EQ(fixtures::bookmarkTitles(dir.file("A_mixed.pdf")), "A B");
    ASSERT_EQ(run({"merge", "A.pdf", "B.pdf", "-o", "plain.pdf"}).exitCode, 0);
    EXPECT_EQ(fixtures::bookmarkTitles(dir.file("plain.pdf")), "");
}

TEST_F(JobCommands, SplitByBookmarksAndBySize) {
    fixtures::writeMarkedPdf(dir.file("book.pdf"), "K", 5,
                             fixtures::PdfOptions().withBookmarks({{"One", 1, 1}, {"Two: the end", 1, 4}}));
    const CommandResult titled = run({"split", "book.pdf", "--bookmarks", "1", "--title-names", "--to", other.path()});
    ASSERT_EQ(titled.exitCode, 0) << titled.err;
    EXPECT_EQ(titled.out, other.file("One.pdf") + " (3 pages)\n" + other.file("Two_ the end.pdf") + " (2 pages)\n");
    EXPECT_EQ(titled.err, "");

    const CommandResult none = run({"split", "A.pdf", "--bookmarks", "2"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(none.err, "A.pdf has no bookmarks at level 2, so nothing was written\n");

    const CommandResult sized = run({"split", "A.pdf", "--size", "1M", "--name", "s_"});
    ASSERT_EQ(sized.exitCode, 0) << sized.err;
    EXPECT_EQ(sized.out, "s_1.pdf (7 pages)\n");
}

// --json prints one document that its schema describes, for a success with
// protection from both sources, a note, and failures before and while running.
TEST_F(JobCommands, JsonDocumentFollowsItsSchema) {
    QFile schemaFile(SPLIMERA_SOURCE_DIR "/docs/job-result.schema.json");
    ASSERT_TRUE(schemaFile.open(QIODevice::ReadOnly));
    const QJsonObject schema = QJsonDocument::fromJson(schemaFile.readAll()).object();
    writePicture("mark.png");
    storedProtection = {"stored", "", "5", "5"};
    const struct {
        std::vector<std::string> arguments;
        int exitCode;
        std::string summary;
    } cases[] = {
        {{"merge", "B.pdf", "C.pdf", "-o", "both.pdf", "--watermark=mark.png", "--json"}, 0,
         "both.pdf:6:stored settings:options notes error -"},
        {{"split", "C.pdf", "--ranges", "1;5", "--no-protection", "--json", "--quiet"}, 0,
         "C_1.pdf:1:-:- notes C.pdf - error -"},
        {{"merge", "B.pdf", "missing.pdf", "-o", "x.pdf", "--json"}, 2, "notes error missing.pdf"},
        {{"merge", "B.pdf", "locked.pdf", "-o", "x.pdf", "--json"}, 1, "notes error locked.pdf"},
        {{"split", "C.pdf", "--rnages", "1", "--json"}, 2, "notes error -"},
    };
    for (const auto& c : cases) {
        const CommandResult result = run(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.summary;
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(result.out), &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError) << result.out;
        EXPECT_EQ(schemaFaults(document.object(), schema), std::vector<std::string>{}) << result.out;
        EXPECT_EQ(document["exitCode"].toInt(), c.exitCode);
        EXPECT_EQ(jsonSummary(document.object()), c.summary) << result.out;
    }
    const CommandResult written = run({"split", "C.pdf", "--json"});
    const QJsonObject first = QJsonDocument::fromJson(QByteArray::fromStdString(written.out))["files"][0].toObject();
    EXPECT_EQ(first["bytes"].toInteger(), static_cast<qint64>(std::filesystem::file_size(dir.file("C_1.pdf"))));
    EXPECT_TRUE(first["protected"].toBool());
    EXPECT_FALSE(first["stamped"].toBool());
}

// Names are bytes: what is not UTF-8 is written as \udcXX, the rest as it is.
TEST(JobResultJson, StringsKeepEveryByte) {
    const struct {
        std::string bytes, json;
    } cases[] = {
        {"plain.pdf", "\"plain.pdf\""},
        {"b\xff.pdf", "\"b\\udcff.pdf\""},
        {"caf\xc3\xa9 \xe6\x97\xa5.pdf", "\"caf\xc3\xa9 \xe6\x97\xa5.pdf\""},
        {"\xc3", "\"\\udcc3\""},                  // a sequence cut short
        {"\xc0\xaf", "\"\\udcc0\\udcaf\""},     // an overlong "/"
        {"\xed\xa0\x80", "\"\\udced\\udca0\\udc80\""},  // a surrogate
        {"quote\" back\\ tab\t", "\"quote\\\" back\\\\ tab\\u0009\""},
    };
    for (const auto& c : cases) EXPECT_EQ(jsonString(c.bytes), c.json) << c.bytes;
}

// --select takes the pages of the file before it; a file without one gives all.
TEST_F(JobCommands, MergeSelectsPagesOfEachFile) {
    const CommandResult result = run({"merge", "A.pdf", "--select", "1-3,z", "C.pdf", "B.pdf", "--select=z-r3",
                                      "-o", "picked.pdf", "--pad-odd"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "picked.pdf (10 pages)\n");
    EXPECT_EQ(markerText(dir.file("picked.pdf")), "A1 A2 A3 A7 C1 C2 B4 B3 B2 ");
}

TEST_F(JobCommands, MergePadsOddInputsWhenAsked) {
    const CommandResult result = run({"merge", "A.pdf", "C.pdf", "-o", "padded.pdf", "--pad-odd"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "padded.pdf (10 pages)\n");
    EXPECT_EQ(markerText(dir.file("padded.pdf")), fixtures::markerRun("A", 1, 7) + "  C1 C2");
}

TEST_F(JobCommands, WatermarkGivenOnTheCommandLineIsDrawnOnEveryPage) {
    writePicture("mark.png");
    const CommandResult result =
        run({"merge", "B.pdf", "C.pdf", "-o", "marked.pdf", "--watermark", "mark.png", "--at", "10,20"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(everyPageHasAPicture(dir.file("marked.pdf")));
}

// The stored protection applies unless an option replaces it or
// --no-protection leaves it out; the listing says what it added.
TEST_F(JobCommands, StoredProtectionAppliesUnlessTheOptionsSayOtherwise) {
    writePicture("mark.png");
    storedProtection = {"stored", dir.file("mark.png"), "5", "5"};
    CommandResult result = run({"merge", "B.pdf", "C.pdf", "-o", "stored.pdf"});
    ASSERT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "stored.pdf (6 pages, password and watermark from the stored settings)\n");
    EXPECT_TRUE(everyPageHasAPicture(dir.file("stored.pdf"), "stored"));

    result = run({"merge", "B.pdf", "C.pdf", "-o", "other.pdf", "--output-password", "other"});
    ASSERT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "other.pdf (6 pages, watermark from the stored settings)\n");
    EXPECT_TRUE(everyPageHasAPicture(dir.file("other.pdf"), "other"));

    writePicture("own.png");
    result = run({"split", "C.pdf", "--watermark", "own.png"});
    ASSERT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "C_1.pdf (1 page, password from the stored settings)\n"
                          "C_2.pdf (1 page, password from the stored settings)\n");

    result = run({"merge", "B.pdf", "C.pdf", "-o", "plain.pdf", "--no-protection"});
    ASSERT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "plain.pdf (6 pages)\n");
    EXPECT_EQ(markerText(dir.file("plain.pdf")), "B1 B2 B3 B4 C1 C2");
    EXPECT_FALSE(everyPageHasAPicture(dir.file("plain.pdf")));
}

// Passwords kept out of the process list: a file of them, one a line, or
// standard input; the output password is the first line.
TEST_F(JobCommands, PasswordsFromAFileOrStandardInput) {
    fixtures::writeFile(dir.file("tries.txt"), "wrong\r\n\nright\n");
    fixtures::writeFile(dir.file("output.txt"), "team\r\nnot this one\n");
    CommandResult result = run({"merge", "locked.pdf", "C.pdf", "-o", "file.pdf", "--password-file", "tries.txt",
                                "--output-password-file", "output.txt"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(markerText(dir.file("file.pdf"), "team"), "L1 L2 C1 C2");

    result = run({"split", "locked.pdf", "--password-file", "-", "--no-protection"}, "wrong\nright\n");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(markerText(dir.file("locked_1.pdf")), "L1");

    result = run({"merge", "B.pdf", "C.pdf", "-o", "piped.pdf", "--output-password-file", "-"}, "s3cret\n");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(markerText(dir.file("piped.pdf"), "s3cret"), "B1 B2 B3 B4 C1 C2");
}

// A password file other users may read is named, as ssh names an open key
// file, and the job goes on with it.
TEST_F(JobCommands, APasswordFileOthersMayReadIsNamedAndStillRead) {
    fixtures::writeFile(dir.file("tries.txt"), "right\n");
    for (const unsigned mode : {0644u, 0640u, 0604u, 0600u, 0400u}) {
        ::chmod(dir.file("tries.txt").c_str(), mode);
        const CommandResult result = run({"split", "locked.pdf", "--password-file", "tries.txt", "--quiet"});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        char octal[8];
        std::snprintf(octal, sizeof octal, "%04o", mode);
        const bool open = (mode & 044) != 0;
        EXPECT_EQ(result.err, open ? "Warning: the password file tries.txt can be read by other users (permissions " +
                                         std::string(octal) + "); chmod 600 keeps it to you\n"
                                   : "")
            << octal;
    }
}

// Someone at a terminal is asked, naming the file, when no password given
// opens it: until one works, they give none, or three tries are used up.
TEST_F(JobCommands, AskingForAPasswordNoneOfTheGivenOnesOpens) {
    std::vector<std::string> asked;
    std::deque<std::optional<std::string>> answers;
    ask = [&](const std::string& path) {
        asked.push_back(path);
        const std::optional<std::string> answer = answers.empty() ? std::nullopt : answers.front();
        if (!answers.empty()) answers.pop_front();
        return answer;
    };
    struct Case {
        std::deque<std::optional<std::string>> answers;
        std::size_t timesAsked;
        int exitCode;
    } cases[] = {
        {{"wrong", "right"}, 2, 0},
        {{std::nullopt}, 1, 1},
        {{"no", "not", "never", "right"}, 3, 1},
    };
    for (const Case& c : cases) {
        asked.clear();
        answers = c.answers;
        const CommandResult result = run({"merge", "locked.pdf", "C.pdf", "-o", "asked.pdf", "--password", "x"});
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
        EXPECT_EQ(asked, std::vector<std::string>(c.timesAsked, "locked.pdf"));
        if (c.exitCode != 0) {
            EXPECT_EQ(result.err, "Password required or incorrect password: locked.pdf\n");
        }
    }
    // Standard input that gave the passwords has nobody behind it to ask.
    asked.clear();
    EXPECT_EQ(run({"split", "locked.pdf", "--password-file", "-"}, "wrong\n").exitCode, 1);
    EXPECT_TRUE(asked.empty());
}

// A group that cannot be read stops the job before it writes the groups
// before it; the window's way (files written up to that group) is no use to
// a script.
TEST_F(JobCommands, ARangeListIsReadWholeBeforeAnyFileIsWritten) {
    const auto before = fixtures::filesIn(dir.path());
    for (const std::string group : {"abc", "2-", "-3", " 1 - 3 ", "1 ,3", "5-x", "'2;3'"}) {
        const CommandResult result = run({"split", "A.pdf", "--ranges", "1;" + group + ";4"});
        EXPECT_EQ(result.exitCode, 2) << group;
        EXPECT_EQ(result.err, "The group '" + group +
                                  "' of --ranges is not a list of pages and ranges such as 1-4,6\n"
                                  "Run 'splimera --help' for usage.\n");
        EXPECT_EQ(result.out, "");
    }
    EXPECT_EQ(fixtures::filesIn(dir.path()), before);
    EXPECT_EQ(run({"split", "A.pdf", "--ranges", "1, 3;2- 4"}).out, "A_1.pdf (2 pages)\nA_2.pdf (3 pages)\n");
}

// On a terminal the error stream shows how many files are written, on one
// line that messages interrupt and that is gone when the job ends; --quiet
// shows neither it nor the listing.
TEST_F(JobCommands, ProgressOnATerminalAndQuiet) {
    showProgress = true;
    CommandResult result = run({"split", "A.pdf", "--ranges", "4-2,1;3;5-6"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.err.find("Files written: 0 of 3"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("Files written: 3 of 3"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("\r\033[KThe following page range is invalid and was skipped: 4-2\n"), std::string::npos);
    EXPECT_EQ(result.err.substr(result.err.size() - 4), "\r\033[K") << "the line is erased at the end";

    result = run({"mix", "A.pdf", "B.pdf", "--second", "each:1", "--name", "m_"});
    EXPECT_NE(result.err.find("Files written: 3 of 3"), std::string::npos) << result.err;

    // A split by size knows its files only as it writes them.
    result = run({"split", "A.pdf", "--size", "1M", "--name", "s_"});
    EXPECT_NE(result.err.find("Files written: 1\r"), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find(" of "), std::string::npos) << result.err;

    result = run({"split", "A.pdf", "--pages", "3", "--quiet"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out + result.err, "");
    EXPECT_EQ(markerText(dir.file("A_3.pdf")), "A7");

    showProgress = false;
    EXPECT_EQ(run({"split", "A.pdf", "--pages", "3"}).err, "");
}

TEST_F(JobCommands, UsageErrorsNameTheOptionAndWriteNothing) {
    struct Case {
        std::vector<std::string> arguments;
        std::string message;
    } cases[] = {
        {{"split", "A.pdf", "--bogus"}, "Unknown option --bogus for split"},
        {{"split", "A.pdf", "--rnages", "1"}, "Unknown option --rnages for split; did you mean --ranges?"},
        {{"split", "A.pdf", "--rnages=1"}, "Unknown option --rnages for split; did you mean --ranges?"},
        {{"mix", "A.pdf", "B.pdf", "--reverse-secnd"},
         "Unknown option --reverse-secnd for mix; did you mean --reverse-second?"},
        {{"split", "A.pdf", "--quiet=yes"}, "The option --quiet takes no value"},
        {{"merge", "A.pdf", "B.pdf", "-o=x.pdf"}, "Unknown option -o=x.pdf for merge"},
        {{"merge", "A.pdf", "B.pdf", "-o", "x.pdf", "--to", "."}, "Unknown option --to for merge"},
        {{"merge", "A.pdf", "B.pdf", "-o", "x.pdf", "--watermark="}, "The option --watermark needs a name, not an empty text"},
        {{"split", "A.pdf", "--pages=2", "--pages", "3"}, "The option --pages is given more than once"},
        {{"split", "A.pdf", "--pages"}, "The option --pages needs a value"},
        {{"split", "A.pdf", "--groups", "two"}, "The option --groups needs a whole number of 0 or more, not 'two'"},
        {{"split", "A.pdf", "--pages", "-1"}, "The option --pages needs a whole number of 0 or more, not '-1'"},
        {{"split", "A.pdf", "--each", "2", "--from", "x"},
         "The option --from needs a whole number of 0 or more, not 'x'"},
        {{"split", "A.pdf", "--to", "no-such-folder"}, "The folder of --to does not exist: no-such-folder"},
        {{"split", "A.pdf", "--from", "2"}, "The option --from goes with --groups or --each"},
        {{"split", "A.pdf", "--pages", "2", "--each", "2"},
         "Give one of --pages, --groups, --each, --ranges, --bookmarks and --size"},
        {{"split", "missing.pdf"}, "Input file does not exist: missing.pdf"},
        {{"split", "A.pdf", "B.pdf"}, "split takes one input file"},
        {{"merge", "A.pdf", "B.pdf"}, "merge needs -o OUTPUT"},
        {{"merge", "A.pdf", "B.pdf", "-o", ""}, "The option -o needs a name, not an empty text"},
        {{"merge", "A.pdf", "B.pdf", "-o", "x.pdf", "-o", "y.pdf"}, "The option -o is given more than once"},
        {{"split", "A.pdf", "--pages", "2", "--pages", "3"}, "The option --pages is given more than once"},
        {{"split", "A.pdf", "--to", ".", "--to", "."}, "The option --to is given more than once"},
        {{"split", "fifo"}, "Input file is not a regular file: fifo"},
        {{"merge", "A.pdf", ".", "-o", "x.pdf"}, "Input file is not a regular file: ."},
        {{"split", "A.pdf", "--ranges", ";;"}, "The option --ranges needs at least one group of pages"},
        {{"merge", "A.pdf", "B.pdf", "-o", "x.pdf", "--password-file", "none.txt"},
         "The file of --password-file cannot be read: none.txt"},
        {{"merge", "A.pdf", "B.pdf", "-o", "x.pdf", "--output-password-file", "empty.txt"},
         "The first line of the file of --output-password-file is empty: empty.txt"},
        {{"merge", "A.pdf", "B.pdf", "-o", "x.pdf", "--output-password", ""},
         "The option --output-password needs a password; to write outputs without one, use --no-protection"},
        {{"merge", "A.pdf", "B.pdf", "-o", "x.pdf", "--output-password", "a", "--output-password-file", "-"},
         "Give one of --output-password and --output-password-file"},
        {{"merge", "A.pdf", "B.pdf", "-o", "x.pdf", "--password-file", "-", "--output-password-file", "-"},
         "Only one of --password-file and --output-password-file can read standard input"},
        {{"merge", "-o", "x.pdf"}, "merge takes the files to merge"},
        {{"merge", "A.pdf", "B.pdf", "-o", "nowhere/x.pdf"}, "The folder of -o does not exist: nowhere/"},
        {{"merge", "A.pdf", "B.pdf", "-o", "x.pdf", "--at", "5"}, "The option --at needs two whole numbers X,Y, not '5'"},
        {{"merge", "A.pdf", "B.pdf", "-o", "x.pdf", "--watermark", "none.png"},
         "The picture of --watermark does not exist: none.png"},
        {{"mix", "A.pdf"}, "mix takes two input files"},
        {{"mix", "A.pdf", "B.pdf", "--first", "pairs:2"}, "The option --first needs group:N[:S] or each:N[:S], not 'pairs:2'"},
        {{"mix", "A.pdf", "B.pdf", "--second", "each:2:x"},
         "The option --second needs group:N[:S] or each:N[:S], not 'each:2:x'"},
        {{"mix", "A.pdf", "B.pdf", "--first", "group"}, "The option --first needs group:N[:S] or each:N[:S], not 'group'"},
        {{"mix", "A.pdf", "B.pdf", "--from", "2"}, "Unknown option --from for mix"},
        {{"mix", "A.pdf", "B.pdf", "--bookmarks", "all"}, "The option --bookmarks needs keep, per-file or none, not 'all'"},
        {{"split", "A.pdf", "--bookmarks", "none"},
         "The option --bookmarks needs a bookmark level of 1 or more on split, not 'none'"},
        {{"split", "A.pdf", "--bookmarks", "0"}, "The option --bookmarks needs a bookmark level of 1 or more on split, not '0'"},
        {{"split", "A.pdf", "--size", "1G"}, "The option --size needs a size of 1 or more such as 300K or 10M, not '1G'"},
        {{"split", "A.pdf", "--title-names"}, "The option --title-names goes with --bookmarks"},
        {{"split", "A.pdf", "--size", "1M", "--bookmarks", "1"},
         "Give one of --pages, --groups, --each, --ranges, --bookmarks and --size"},
        {{"merge", "A.pdf", "B.pdf", "-o", "x.pdf", "--title-names"}, "Unknown option --title-names for merge"},
        {{"merge", "--select", "1", "A.pdf", "B.pdf", "-o", "x.pdf"}, "The option --select follows the file it is for"},
        {{"merge", "A.pdf", "--select", "1", "--select=2", "B.pdf", "-o", "x.pdf"},
         "The option --select is given more than once for A.pdf"},
        {{"merge", "A.pdf", "--select", "1-x", "B.pdf", "-o", "x.pdf"},
         "The page selection of A.pdf holds '1-x', which is no page or range such as 1-3, z or r2-1"},
        {{"merge", "A.pdf", "B.pdf", "--select", "z,5", "-o", "x.pdf"},
         "The page selection of B.pdf names page 5, which is not one of its 4 pages"},
    };
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    fixtures::writeFile(dir.file("empty.txt"), "\nsecond\n");
    const auto before = fixtures::filesIn(dir.path());
    for (const Case& c : cases) {
        const CommandResult result = run(c.arguments);
        EXPECT_EQ(result.exitCode, 2) << c.message;
        EXPECT_EQ(result.err, c.message + "\nRun 'splimera --help' for usage.\n");
        EXPECT_EQ(result.out, "");
    }
    EXPECT_EQ(fixtures::filesIn(dir.path()), before);
}

// The program itself: its exit codes, and the stored settings it reads.
TEST(JobCommandProgram, ExitCodesAndStoredProtection) {
    TempDir dir, config;
    fixtures::writeMarkedPdf(dir.file("A.pdf"), "A", 2);
    fixtures::writeMarkedPdf(dir.file("empty.pdf"), "E", 0);
    std::filesystem::create_directories(config.file("Brellow"));
    fixtures::writeFile(config.file("Brellow/Splimera.conf"), "[General]\noutputPdfPassword=kept\n");
    const struct {
        std::vector<std::string> arguments;
        int exitCode;
    } cases[] = {
        {{"split", "A.pdf"}, 0},
        {{"split", "empty.pdf"}, 1},  // nothing written
        {{"split", "missing.pdf"}, 2},
    };
    for (const auto& c : cases) {
        const fixtures::ProcessResult result = fixtures::runSplimera(c.arguments, dir.path(), config.path());
        EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments[1] << ": " << result.err;
    }
    EXPECT_EQ(markerText(dir.file("A_1.pdf"), "kept"), "A1");
}

}  // namespace
