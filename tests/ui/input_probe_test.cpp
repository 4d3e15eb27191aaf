#include <gtest/gtest.h>

#include <sys/stat.h>

#include "support/fixtures.h"
#include "support/scripted_dialogs.h"
#include "ui/input_probe.h"

namespace {

using fixtures::TempDir;

const std::string passwordBox = "Password required or incorrect password";
const std::string hint = "; Please save the file with a different encoding and then retry.";

struct ProbeBench {
    ScriptedDialogs dialogs;
    InputProbe probe{dialogs, [](const std::string& key) {
                         return key == "MsgPasswordOf" ? std::string("Password of %1:") : "[" + key + "]";
                     }};
};

TEST(InputProbe, PlainFileGivesItsPageCountWithoutAnyDialog) {
    TempDir dir;
    fixtures::writeMarkedPdf(dir.file("plain.pdf"), "A", 3);
    ProbeBench bench;
    const std::optional<ProbedInput> probed = bench.probe.probe(dir.file("plain.pdf"));
    ASSERT_TRUE(probed);
    EXPECT_EQ(probed->pageCount, 3);
    EXPECT_EQ(probed->password, "");
    EXPECT_TRUE(bench.dialogs.messages.empty());
    EXPECT_TRUE(bench.dialogs.prompts.empty());
}

TEST(InputProbe, ProtectedFileIsAskedForByNameAndKeepsTheTypedPassword) {
    TempDir dir;
    const std::string secret = "Open Sesame 42";
    fixtures::writeMarkedPdf(dir.file("locked.pdf"), "A", 2, fixtures::PdfOptions().withPassword(secret));
    ProbeBench bench;
    bench.dialogs.textAnswers = {secret};
    const std::optional<ProbedInput> probed = bench.probe.probe(dir.file("locked.pdf"));
    ASSERT_TRUE(probed);
    EXPECT_EQ(probed->pageCount, 2);
    EXPECT_EQ(probed->password, secret);
    EXPECT_TRUE(bench.dialogs.messages.empty());
    ASSERT_EQ(bench.dialogs.prompts.size(), 1u);
    EXPECT_EQ(bench.dialogs.prompts[0].caption, "[MsgEnterPassw]");
    EXPECT_EQ(bench.dialogs.prompts[0].prompt, "Password of locked.pdf:");
    EXPECT_TRUE(bench.dialogs.prompts[0].masked);
}

TEST(InputProbe, AWrongPasswordIsAskedForAgainWithTheError) {
    TempDir dir;
    fixtures::writeMarkedPdf(dir.file("locked.pdf"), "A", 2, fixtures::PdfOptions().withPassword("right"));
    ProbeBench bench;
    bench.dialogs.textAnswers = {"wrong", "also wrong", "right"};
    const std::optional<ProbedInput> probed = bench.probe.probe(dir.file("locked.pdf"));
    ASSERT_TRUE(probed);
    EXPECT_EQ(probed->password, "right");
    ASSERT_EQ(bench.dialogs.prompts.size(), 3u);
    EXPECT_EQ(bench.dialogs.prompts[0].prompt, "Password of locked.pdf:");
    EXPECT_EQ(bench.dialogs.prompts[2].prompt, passwordBox + ".\nPassword of locked.pdf:");
    EXPECT_TRUE(bench.dialogs.messages.empty());
}

// Every failure: the messages shown, the prompts, and no outcome.
TEST(InputProbe, FailuresShowTheirMessages) {
    TempDir dir;
    fixtures::writeMarkedPdf(dir.file("locked.pdf"), "A", 2, fixtures::PdfOptions().withPassword("right"));
    fixtures::writeFile(dir.file("garbage.pdf"), "not a PDF at all");
    ASSERT_EQ(::mkfifo(dir.file("fifo.pdf").c_str(), 0600), 0);  // would block an open

    struct Case {
        std::string name, file;
        std::deque<std::string> answers;  // none: the prompt is cancelled
        std::vector<std::string> messages;
        std::size_t prompts;
    } cases[] = {
        {"wrong password, then cancelled", "locked.pdf", {"wrong"}, {}, 2},
        {"prompt cancelled", "locked.pdf", {}, {}, 1},
        {"prompt left empty", "locked.pdf", {""}, {}, 1},
        {"missing file", "missing.pdf", {}, {"File not found or could not be opened: " + dir.file("missing.pdf") + hint}, 0},
        {"not a PDF", "garbage.pdf", {}, {"File not in PDF format or corrupted: " + dir.file("garbage.pdf") + hint}, 0},
        {"a FIFO", "fifo.pdf", {}, {"\"" + dir.file("fifo.pdf") + "\" is not a regular file"}, 0},
        {"a folder", ".", {}, {"\"" + dir.file(".") + "\" is not a regular file"}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProbeBench bench;
        bench.dialogs.textAnswers = c.answers;
        EXPECT_FALSE(bench.probe.probe(dir.file(c.file)));
        EXPECT_EQ(bench.dialogs.messages, c.messages);
        EXPECT_EQ(bench.dialogs.prompts.size(), c.prompts);
    }
}

TEST(InputProbe, OneProbeServesFilesInTurn) {
    TempDir dir;
    fixtures::writeMarkedPdf(dir.file("locked.pdf"), "A", 4, fixtures::PdfOptions().withPassword("pw"));
    fixtures::writeMarkedPdf(dir.file("plain.pdf"), "B", 1);
    ProbeBench bench;
    bench.dialogs.textAnswers = {"pw"};
    ASSERT_TRUE(bench.probe.probe(dir.file("locked.pdf")));

    // The password that opened the first file is not carried into the next probe.
    bench.dialogs.textAnswers = {"pw"};
    EXPECT_EQ(bench.probe.probe(dir.file("locked.pdf"))->pageCount, 4);
    EXPECT_EQ(bench.dialogs.prompts.size(), 2u);

    const std::optional<ProbedInput> plain = bench.probe.probe(dir.file("plain.pdf"));
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->pageCount, 1);
    EXPECT_EQ(plain->password, "");
    EXPECT_EQ(bench.dialogs.prompts.size(), 2u);
}

TEST(InputProbe, OpenErrorsNameTheFileAndSuggestSavingItAnew) {
    ProbeBench bench;
    bench.probe.showOpenError("bad cross-reference table", "/a/b.pdf");
    EXPECT_EQ(bench.dialogs.messages, std::vector<std::string>{"bad cross-reference table: /a/b.pdf" + hint});
}

}  // namespace
