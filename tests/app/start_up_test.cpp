#include <gtest/gtest.h>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include <sys/stat.h>

#include <QColor>
#include <QImage>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <thread>

#include "support/fixtures.h"
#include "support/process.h"
#include "support/scoped_environment.h"
#include "support/terminal_run.h"

namespace {

using fixtures::markerText;
using fixtures::ProcessResult;
using fixtures::TempDir;
using fixtures::TerminalRun;
using fixtures::runOnTerminal;

class StartUp : public ::testing::Test {
protected:
    void SetUp() override {
        fixtures::writeMarkedPdf(dir.file("Report.pdf"), "R", 10);
        fixtures::writeMarkedPdf(dir.file("a.pdf"), "A", 2);
        fixtures::writeMarkedPdf(dir.file("b.pdf"), "B", 3);
        fixtures::writeMarkedPdf(dir.file("locked.pdf"), "L", 2, fixtures::PdfOptions().withPassword("pw"));
    }
    ProcessResult run(const std::vector<std::string>& arguments) {
        return fixtures::runSplimera(arguments, dir.path(), config.path());
    }
    std::string settingsFile() const { return config.file("Brellow/Splimera.conf"); }
    void storeSettings(const std::string& lines) {
        std::filesystem::create_directories(config.file("Brellow"));
        fixtures::writeFile(settingsFile(), "[General]\n" + lines);
    }

    TempDir dir, config;
};

TEST_F(StartUp, RemoveEndsAtOnceWithoutTouchingSettings) {
    for (const char* argument : {"/remove", "  /remove\t"}) {
        const ProcessResult result = run({argument});
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.out + result.err, "");
    }
    EXPECT_FALSE(fixtures::fileExists(settingsFile()));
}

TEST_F(StartUp, SilentSplitWritesNumberedFinishedFilesBesideTheInput) {
    const ProcessResult result = run({"-qs", "Report.pdf"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "Silent Split operation done.\n");
    for (int i = 1; i <= 10; ++i) {
        const std::string name = dir.file("Report_" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".pdf");
        EXPECT_EQ(markerText(name), "R" + std::to_string(i));
        QPDF pdf;
        pdf.processFile(name.c_str());
        EXPECT_EQ(pdf.getTrailer().getKey("/Info").getKey("/Creator").getUTF8Value().rfind("Splimera (", 0), 0u);
    }
}

TEST_F(StartUp, SilentMergeJoinsInOrderAndIgnoresWhatFollowsTheOutput) {
    const ProcessResult result = run({"-qm", "a.pdf", "b.pdf", "-o", "out.pdf", "never-looked-at.pdf"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "Silent Merge operation done.\n");
    EXPECT_EQ(markerText(dir.file("out.pdf")), "A1 A2 B1 B2 B3");
}

// Every form's answer: its exit code, the stream it writes to and the words
// that matter. A usage error takes one or two lines.
TEST_F(StartUp, CommandLinesTheirExitCodesAndMessages) {
    ASSERT_EQ(::mkfifo(dir.file("fifo.pdf").c_str(), 0600), 0);
    enum Stream { Out, Err };
    struct Case {
        std::vector<std::string> arguments;
        int exitCode;
        Stream stream;
        std::vector<std::string> words;
    } cases[] = {
        {{"--version"}, 0, Out, {"Splimera 1."}},
        {{"-V"}, 0, Out, {"Splimera 1."}},
        {{"-h"}, 0, Out, {"Usage: splimera", "--output-password-file"}},
        {{"--help", "extra"}, 0, Err, {"Ignored argument after --help: extra"}},
        {{"-QS", "a.pdf"}, 2, Out, {"Invalid parameters, please check documentation."}},
        {{"/REMOVE"}, 2, Err, {"'/REMOVE'", "Run 'splimera --help' for usage."}},
        {{"a.pdf"}, 2, Out, {"Invalid parameters, please check documentation."}},
        {{"-qs", "missing.pdf"}, 2, Out, {"Aborting, input file does not exist: missing.pdf"}},
        {{"-qs", "fifo.pdf"}, 2, Out, {"Aborting, input file is not a regular file: fifo.pdf"}},
        {{"-qm", "a.pdf", "fifo.pdf", "-o", "out.pdf"}, 2, Out, {"is not a regular file: fifo.pdf"}},
        {{"-qm", "a.pdf", "b.pdf"}, 2, Out, {"Output parameter missing, please check documentation."}},
        {{"-qm", "a.pdf", "-o"}, 2, Err, {"-qm needs -o OUTPUT", "Run 'splimera --help' for usage."}},
        {{"-qs", "a.pdf", "extra.pdf"}, 0, Err, {"Ignored argument after the file of -qs: extra.pdf"}},
        // The merge has no file and says so; the completion line still follows.
        {{"-qm", "-o", "out.pdf"}, 1, Out, {"Silent Merge operation done."}},
        // A file the probe cannot open is left out; the job then fails on the empty list.
        {{"-qs", "locked.pdf"}, 1, Err, {"locked.pdf is protected. Please enter its password:"}},
        {{"-s", "a.pdf"}, 2, Err, {"Splimera needs a display"}},
        {{"-s", "fifo.pdf"}, 2, Out, {"Aborting, input file is not a regular file: fifo.pdf"}},
        {{"-m", "a.pdf", "-o", "fifo.pdf"}, 2, Err, {"-o: does not exist", "fifo.pdf: is not a regular file", "needs a display"}},
        {{"split", "a.pdf", "--bogus"}, 2, Err, {"Unknown option --bogus for split", "Run 'splimera --help' for usage."}},
        {{"split", "fifo.pdf"}, 2, Err, {"Input file is not a regular file: fifo.pdf"}},
        {{"mix", "a.pdf", "fifo.pdf"}, 2, Err, {"Input file is not a regular file: fifo.pdf"}},
        {{"split", "b.pdf", "--ranges", "1;abc;2"}, 2, Err, {"The group 'abc' of --ranges"}},
        {{"merge", "a.pdf", "b.pdf", "-o", ""}, 2, Err, {"The option -o needs a name"}},
        {{"merge", "a.pdf", "b.pdf", "-o", "x.pdf", "--to", "."}, 2, Err, {"Unknown option --to for merge"}},
        {{"split", "a.pdf", "--pages", "1", "--pages", "2"}, 2, Err, {"The option --pages is given more than once"}},
        {{"merge", "a.pdf", "locked.pdf", "-o", "out.pdf"}, 1, Err, {"Password required or incorrect password: locked.pdf"}},
        {{"split", "--help"}, 0, Out, {"Usage: splimera"}},
    };
    for (const Case& c : cases) {
        const std::string shown = c.arguments[0] + (c.arguments.size() > 1 ? " " + c.arguments[1] : "");
        const auto started = std::chrono::steady_clock::now();
        const ProcessResult result = run(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << shown << ": " << result.out << result.err;
        const std::string& text = c.stream == Out ? result.out : result.err;
        for (const std::string& word : c.words) EXPECT_NE(text.find(word), std::string::npos) << shown << ": " << text;
        if (c.exitCode == 2) {
            const std::string all = result.out + result.err;
            EXPECT_LE(std::count(all.begin(), all.end(), '\n'), c.arguments[0] == "-m" ? 4 : 2) << shown << ": " << all;
        }
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20)) << shown;
    }
    EXPECT_FALSE(fixtures::fileExists(dir.file("out.pdf")));
    EXPECT_FALSE(fixtures::fileExists(dir.file("locked_1.pdf")));
    EXPECT_FALSE(fixtures::fileExists(dir.file("b_1.pdf"))) << "the range list is read before anything is written";
}

// Whatever language the window speaks, a job command's messages are all
// English; pages of a range list beyond the end are named in one line.
TEST_F(StartUp, JobCommandsSpeakOneLanguage) {
    storeSettings("Language=German\n");
    ProcessResult result = run({"split", "Report.pdf", "--size", "1"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err.rfind("These pages are larger than the size limit on their own", 0), 0u) << result.err;

    result = run({"split", "Report.pdf", "--ranges", "1;9-12,15;2,15", "--quiet"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "Pages beyond the last page of Report.pdf (10 pages) are skipped: 11-12, 15\n");
    EXPECT_EQ(markerText(dir.file("Report_02.pdf")), "R9 R10");
}

// SOURCE_DATE_EPOCH gives the dates, and the identifier comes from the
// content: two runs write the same bytes. Encryption keeps its random salt.
TEST_F(StartUp, SourceDateEpochMakesOutputsReproducible) {
    QImage picture(4, 4, QImage::Format_ARGB32);
    picture.fill(QColor(0, 0, 200, 200));
    ASSERT_TRUE(picture.save(QString::fromStdString(dir.file("mark.png"))));
    const struct {
        std::vector<std::string> arguments;
        std::string output;
        bool identical;
    } cases[] = {
        {{"merge", "Report.pdf", "--select", "z-2", "b.pdf", "-o", "out.pdf", "--bookmarks", "per-file"}, "out.pdf", true},
        {{"split", "b.pdf", "--pages", "2", "--watermark", "mark.png", "--quiet"}, "b_1.pdf", true},
        {{"split", "b.pdf", "--output-password", "pw", "--quiet"}, "b_1.pdf", false},
    };
    fixtures::ScopedEnvironment epoch("SOURCE_DATE_EPOCH", "1672531200");
    for (const auto& c : cases) {
        ASSERT_EQ(run(c.arguments).exitCode, 0) << c.output;
        const std::string first = fixtures::readFile(dir.file(c.output));
        std::this_thread::sleep_for(std::chrono::milliseconds(1100));  // another second on the clock
        ASSERT_EQ(run(c.arguments).exitCode, 0) << c.output;
        EXPECT_EQ(fixtures::readFile(dir.file(c.output)) == first, c.identical) << c.output;
    }
    QPDF pdf;
    pdf.processFile(dir.file("out.pdf").c_str());
    EXPECT_EQ(pdf.getTrailer().getKey("/Info").getKey("/CreationDate").getUTF8Value(), "D:20230101000000+00'00'");

    epoch.set("soon");
    const ProcessResult refused = run({"merge", "a.pdf", "b.pdf", "-o", "never.pdf"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, "SOURCE_DATE_EPOCH is not a whole number of seconds since 1970: 'soon'\n");
    EXPECT_FALSE(fixtures::fileExists(dir.file("never.pdf")));
}

// Scripts take anything on standard error for a problem. Neither a missing
// runtime folder nor a display that does not answer may put anything there,
// abort the program or leave a folder behind.
TEST_F(StartUp, SuccessfulRunsWriteNothingOnStandardError) {
    TempDir temporary;
    const std::vector<std::vector<std::string>> commandLines = {
        {"--help"},
        {"--version"},
        {"-qs", "a.pdf"},
        {"-qm", "a.pdf", "b.pdf", "-o", "out.pdf"},
        {"split", "b.pdf", "--ranges", "1;2-3"},
        {"merge", "a.pdf", "b.pdf", "-o", "out.pdf"},
        {"mix", "a.pdf", "b.pdf"},
    };
    const std::map<std::string, std::string> environments[] = {
        {{"TMPDIR", temporary.path()}},
        {{"TMPDIR", temporary.path()}, {"DISPLAY", ":4711"}, {"WAYLAND_DISPLAY", "/nowhere/wayland-9"}},
    };
    for (const auto& environment : environments) {
        for (const std::vector<std::string>& arguments : commandLines) {
            const ProcessResult result = fixtures::runSplimera(arguments, dir.path(), config.path(), 60, environment);
            EXPECT_EQ(result.exitCode, 0) << arguments[0] << " with DISPLAY " << environment.count("DISPLAY");
            EXPECT_EQ(result.err, "") << arguments[0] << " with DISPLAY " << environment.count("DISPLAY");
        }
    }
    EXPECT_TRUE(fixtures::filesIn(temporary.path()).empty());
}

// The command line, silent jobs without a display and the page-drawing
// service load no window library and, without a password kept in the
// keyring, no keyring library (as the loader reports every file it maps); the
// window's form without a display and a job with the keyring's entry in the
// settings do, which shows the report works.
TEST_F(StartUp, CommandLineFormsLoadNoWindowOrKeyringLibrary) {
    const std::map<std::string, std::string> loaderReport = {{"LD_DEBUG", "files"}};
    const char* unusedLibraries[] = {"libsplimera_window", "libQt6Widgets", "libQt6Gui", "libX11", "libxcb",
                                     "libEGL", "libGLX", "libOpenGL", "libfontconfig",
                                     "libsplimera_keyring", "libqt6keychain", "libQt6DBus", "libdbus-1"};
    const std::vector<std::vector<std::string>> commandLines = {
        {"--help"}, {"--version"}, {"--render-service"}, {"-qs", "a.pdf"}, {"-qm", "a.pdf", "b.pdf", "-o", "out.pdf"},
        {"split", "b.pdf"}, {"merge", "a.pdf", "b.pdf", "-o", "out.pdf"}, {"mix", "a.pdf", "b.pdf", "--single-file"},
    };
    for (const std::vector<std::string>& arguments : commandLines) {
        const ProcessResult result = fixtures::runSplimera(arguments, dir.path(), config.path(), 60, loaderReport);
        EXPECT_EQ(result.exitCode, 0) << arguments[0];
        ASSERT_NE(result.err.find("file=libc.so"), std::string::npos) << arguments[0] << ": no loader report";
        for (const char* library : unusedLibraries)
            EXPECT_EQ(result.err.find(library), std::string::npos) << arguments[0] << " loads " << library;
    }
    const ProcessResult window = fixtures::runSplimera({"-s", "a.pdf"}, dir.path(), config.path(), 60, loaderReport);
    EXPECT_EQ(window.exitCode, 2);
    EXPECT_NE(window.err.find("libsplimera_window"), std::string::npos);
    EXPECT_NE(window.err.find("libQt6Widgets"), std::string::npos);

    storeSettings("outputPdfPasswordKeyring=outputPdfPassword\n");
    const ProcessResult keyring = fixtures::runSplimera(
        {"merge", "a.pdf", "b.pdf", "-o", "kept.pdf"}, dir.path(), config.path(), 60,
        {{"LD_DEBUG", "files"}, {"DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/bus"}});
    EXPECT_NE(keyring.err.find("libsplimera_keyring"), std::string::npos);
    // The keyring's library starts the Qt application its events need; the
    // keyring that does not answer ends the job before anything is written.
    EXPECT_EQ(keyring.exitCode, 1);
    EXPECT_NE(keyring.err.find("cannot be read from the desktop's keyring: "), std::string::npos) << keyring.err;
    EXPECT_EQ(keyring.err.find("application"), std::string::npos) << keyring.err;
    EXPECT_FALSE(fixtures::fileExists(dir.file("kept.pdf")));
}

// The answers, the page-drawing service, the job commands and the silent
// switches without a display (with stored settings and a language file to
// read) start without Qt or its Unicode libraries at all; the answers and the
// page-drawing service without the command line's library either. The
// window's form loads Qt, which shows the report works.
TEST_F(StartUp, AnswersJobsAndTheRenderServiceLoadNoQt) {
    storeSettings("[General]\nwatermarkX=60\nLanguage=Deutsch\n");
    const std::map<std::string, std::string> loaderReport = {{"LD_DEBUG", "files"}};
    const std::vector<std::vector<std::string>> answers = {{"--version"}, {"--help"}, {"--bogus"}, {"--render-service"}};
    const std::vector<std::vector<std::string>> jobs = {{"merge", "a.pdf", "b.pdf", "-o", "m.pdf"},
                                                        {"split", "b.pdf", "--to", "missing/folder"},
                                                        {"mix", "a.pdf", "b.pdf", "--json"},
                                                        {"-qs", "a.pdf"},
                                                        {"-qm", "a.pdf", "missing.pdf", "-o", "q.pdf"}};
    for (const auto& [commandLines, loadsCommandLine] : {std::pair{answers, false}, std::pair{jobs, true}}) {
        for (const std::vector<std::string>& arguments : commandLines) {
            const ProcessResult result = fixtures::runSplimera(arguments, dir.path(), config.path(), 60, loaderReport);
            ASSERT_NE(result.err.find("file=libc.so"), std::string::npos) << arguments[0] << ": no loader report";
            for (const char* library : {"libQt6", "libicu"})
                EXPECT_EQ(result.err.find(library), std::string::npos) << arguments[0] << " loads " << library;
            EXPECT_EQ(result.err.find("libsplimera_command_line") != std::string::npos, loadsCommandLine) << arguments[0];
        }
    }
    const ProcessResult merge = fixtures::runSplimera({"merge", "a.pdf", "b.pdf", "-o", "m.pdf"}, dir.path(), config.path(), 60);
    EXPECT_EQ(merge.exitCode, 0) << merge.err;
    const ProcessResult window = fixtures::runSplimera({"-s", "a.pdf"}, dir.path(), config.path(), 60, loaderReport);
    EXPECT_NE(window.err.find("libQt6Core"), std::string::npos);
}

// A file name is bytes: one that is no UTF-8 reaches the outputs unchanged.
TEST_F(StartUp, NamesThatAreNotUtf8AreKeptByteForByte) {
    const std::string cafe = "caf\xe9";
    fixtures::writeMarkedPdf(dir.file(cafe + ".pdf"), "C", 2);
    const struct {
        std::vector<std::string> arguments;
        std::vector<std::string> outputs;
    } cases[] = {
        {{"-qs", cafe + ".pdf"}, {cafe + "_1.pdf", cafe + "_2.pdf"}},
        {{"-qm", cafe + ".pdf", "b.pdf", "-o", "out-" + cafe + ".pdf"}, {"out-" + cafe + ".pdf"}},
        {{"split", cafe + ".pdf", "--name", cafe + "-"}, {cafe + "-1.pdf", cafe + "-2.pdf"}},
    };
    for (const auto& c : cases) {
        const ProcessResult result = run(c.arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        for (const std::string& output : c.outputs) EXPECT_TRUE(fixtures::fileExists(dir.file(output))) << output;
    }
    EXPECT_EQ(run({"-qs", "no-" + cafe + ".pdf"}).out, "Aborting, input file does not exist: no-" + cafe + ".pdf\n");
}

// On a terminal a protected input that no given password opens is asked for,
// naming the file, and what is typed does not show.
TEST_F(StartUp, APasswordIsAskedOnTheTerminalWithoutEcho) {
    const struct {
        std::vector<std::string> arguments;
        std::string output;
    } cases[] = {
        {{"merge", "locked.pdf", "a.pdf", "-o", "out.pdf", "--password", "wrong"}, "out.pdf"},
        {{"-qs", "locked.pdf"}, "locked_1.pdf"},
    };
    for (const auto& c : cases) {
        const TerminalRun result = runOnTerminal(c.arguments, dir.path(), config.path(), "pw");
        EXPECT_EQ(result.exitCode, 0) << result.screen;
        EXPECT_NE(result.screen.find("Password for locked.pdf: "), std::string::npos) << result.screen;
        EXPECT_EQ(result.screen.find("pw\r\n"), std::string::npos) << "echoed: " << result.screen;
        EXPECT_EQ(markerText(dir.file(c.output)), c.arguments[0] == "-qs" ? "L1" : "L1 L2 A1 A2");
    }
}

TEST_F(StartUp, ErrorEndingASilentJobIsReportedWithCodeOne) {
    const ProcessResult result = run({"-qm", "a.pdf", "b.pdf", "-o", dir.file("missing-folder/out.pdf")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("Application Error: Cannot create file"), std::string::npos) << result.err;
}

TEST_F(StartUp, StoredProtectionReachesSilentOutputs) {
    QImage picture(4, 4, QImage::Format_ARGB32);
    picture.fill(QColor(0, 0, 200, 200));
    ASSERT_TRUE(picture.save(QString::fromStdString(dir.file("mark.png"))));
    storeSettings("outputPdfPassword=secret\nwatermarkPath=" + dir.file("mark.png") + "\nwatermarkX=10\nwatermarkY=10\n");
    const ProcessResult result = run({"-qm", "a.pdf", "b.pdf", "-o", "out.pdf"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_ANY_THROW(fixtures::readMarkers(dir.file("out.pdf")));
    QPDF pdf;
    pdf.processFile(dir.file("out.pdf").c_str(), "secret");
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) EXPECT_FALSE(page.getImages().empty());
}

}  // namespace
