#include <gtest/gtest.h>

#include <filesystem>

#include "support/fixtures.h"
#include "support/process.h"

namespace {

using fixtures::TempDir;

// "-" as an input reads standard input, as an output writes standard output
// (the listing then goes to standard error); a folder as output is refused.
TEST(SpecialTargets, StandardStreamsServeAsFilesOfJobCommands) {
    struct Case {
        std::vector<std::string> arguments;
        std::string standardInput;  // a file of the folder, or "" for none
        int exitCode;
        std::string outMarkers;    // the markers of the PDF on standard output, or what it shows
        std::string errorPart;     // a part of standard error
        std::vector<std::string> filesAfter;
    } cases[] = {
        {{"merge", "-", "b.pdf", "-o", "-"}, "a.pdf", 0, "A1 A2 A3 B1 B2", "- (5 pages)\n", {"a.pdf", "b.pdf"}},
        {{"merge", "a.pdf", "b.pdf", "-o", "/dev/stdout"}, "", 0, "A1 A2 A3 B1 B2", "/dev/stdout (5 pages)\n",
         {"a.pdf", "b.pdf"}},
        {{"-qm", "a.pdf", "b.pdf", "-o", "-"}, "", 0, "A1 A2 A3 B1 B2", "Silent Merge operation done.\n",
         {"a.pdf", "b.pdf"}},
        {{"split", "-", "--pages", "2"}, "b.pdf", 0, "", "", {"a.pdf", "b.pdf", "stdin_1.pdf"}},
        {{"mix", "-", "b.pdf", "--single-file"}, "a.pdf", 0, "", "", {"a.pdf", "b.pdf", "stdin_mixed.pdf"}},
        {{"merge", "-", "-", "-o", "x.pdf"}, "a.pdf", 2, "", "Standard input can be read once", {"a.pdf", "b.pdf"}},
        {{"merge", "-", "b.pdf", "-o", "x.pdf", "--password-file", "-"}, "a.pdf", 2, "",
         "Standard input can be read once", {"a.pdf", "b.pdf"}},
        {{"merge", "a.pdf", "b.pdf", "-o", "folder"}, "", 1, "", "Is a directory", {"a.pdf", "b.pdf"}},
    };
    for (const Case& c : cases) {
        TempDir dir, config, temporaries;
        fixtures::writeMarkedPdf(dir.file("a.pdf"), "A", 3);
        fixtures::writeMarkedPdf(dir.file("b.pdf"), "B", 2);
        std::filesystem::create_directory(dir.file("folder"));
        const std::string what = ::testing::PrintToString(c.arguments);
        const fixtures::ProcessResult result =
            fixtures::runSplimera(c.arguments, dir.path(), config.path(), 60, {{"TMPDIR", temporaries.path()}},
                                  c.standardInput.empty() ? "/dev/null" : dir.file(c.standardInput));
        EXPECT_EQ(result.exitCode, c.exitCode) << what << result.err;
        std::filesystem::remove(dir.file("folder"));
        EXPECT_EQ(fixtures::filesIn(dir.path()), c.filesAfter) << what;
        if (!c.outMarkers.empty()) {
            fixtures::writeFile(temporaries.file("out.pdf"), result.out);
            EXPECT_EQ(fixtures::markerText(temporaries.file("out.pdf")), c.outMarkers) << what;
            std::filesystem::remove(temporaries.file("out.pdf"));
        }
        EXPECT_NE(result.err.find(c.errorPart), std::string::npos) << what << result.err;
        // The copy of standard input is gone with the program.
        EXPECT_EQ(fixtures::filesIn(temporaries.path()), std::vector<std::string>{}) << what;
    }
}

}  // namespace
