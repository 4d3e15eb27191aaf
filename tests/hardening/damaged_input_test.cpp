#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

#include "child_run.h"
#include "finishing/output_finisher.h"
#include "finishing/test_pictures.h"
#include "base/application.h"
#include "jobs/merge_job.h"
#include "jobs/mix_job.h"
#include "jobs/output_naming.h"
#include "jobs/split_job.h"
#include "support/damaged_pdfs.h"
#include "support/finish_file.h"
#include "support/fixtures.h"
#include "support/recording_reporter.h"
#include "support/scripted_dialogs.h"
#include "ui/input_probe.h"

namespace {

using fixtures::DamagedPdf;
using fixtures::TempDir;
namespace fs = std::filesystem;

// Generous for a loaded machine under the sanitizers; every case takes well
// under a second when it behaves.
constexpr int kCaseSeconds = 120;

std::string replaceAll(std::string text, const std::string& what, const std::string& by) {
    if (what.empty()) return text;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + by.size()))
        text.replace(at, what.size(), by);
    return text;
}

// One case: the file under test lies in inputs/, every job writes into a
// folder of its own under work/, and a sound second document B (two pages)
// serves merge and mix.
class CaseRun {
public:
    CaseRun(const std::string& root, const std::string& inputPath)
        : root_(root), input_(inputPath), name_(fs::path(inputPath).filename().string()),
          base_(baseNameFor(name_)), before_(snapshot(inputPath)) {
        fixtures::writeMarkedPdf(root_ + "B.pdf", "B", 2);
        fs::create_directory(root_ + "work");
        pictures::writeJpeg(root_ + "mark.jpg", 8, 8, 3, pictures::QuadrantA, 72);
    }

    std::string everyJob() {
        std::ostringstream lines;
        lines << "probe: " << probe() << "\n";
        const std::pair<SplitMethod, const char*> methods[] = {{SplitMethod::IntoFilesOf, "files of 1"},
                                                               {SplitMethod::ByPageRange, "ranges 2-3;1"},
                                                               {SplitMethod::EveryGroupOf, "groups of 2"},
                                                               {SplitMethod::Each, "each 2nd"}};
        for (const auto& [method, caption] : methods) lines << "split " << caption << ": " << split(method) << "\n";
        lines << "merge: " << merge() << "\n";
        lines << "mix: " << mix() << "\n";
        lines << "finish: " << finish() << "\n";
        return lines.str();
    }

private:
    // What a path holds, to see that an input stays as it was.
    static std::string snapshot(const std::string& path) {
        if (fs::is_directory(path)) return "<folder>";
        try {
            return fixtures::readFile(path);
        } catch (const std::exception&) {
            return "<unreadable>";
        }
    }

    std::string probe() {
        ScriptedDialogs dialogs;
        const std::optional<ProbedInput> probed = InputProbe(dialogs, {}).probe(input_);
        std::string text = probed ? std::to_string(probed->pageCount) + " pages" : "";
        for (const std::string& message : dialogs.messages) text += (text.empty() ? "" : " | ") + message;
        return replaceAll(text, input_, "<input>") + leftovers();
    }

    std::string split(SplitMethod method) {
        SplitRequest request;
        request.input = {name_, fs::path(input_).parent_path().string() + "/", ""};
        request.method = method;
        request.rangeList = "2-3;1";
        request.everyGroupSize = request.eachStep = "2";
        request.baseName = base_;
        request.destinationFolder = freshFolder();
        return outcome([&] { runSplit(request, reporter_, finisher_); }, request.destinationFolder);
    }

    std::string merge() {
        MergeRequest request;
        request.inputs = {{name_, fs::path(input_).parent_path().string() + "/", ""}, {"B.pdf", root_, ""}};
        const std::string folder = freshFolder();
        request.outputPath = folder + "merged.pdf";
        return outcome([&] { runMerge(request, reporter_, finisher_); }, folder);
    }

    std::string mix() {
        MixRequest request;
        request.first = {name_, fs::path(input_).parent_path().string() + "/", ""};
        request.second = {"B.pdf", root_, ""};
        request.firstMethod.groupCount = request.secondMethod.groupCount = "1";
        request.baseName = "mix_";
        request.destinationFolder = freshFolder();
        request.singleFile = true;
        return outcome([&] { runMix(request, reporter_, finisher_); }, request.destinationFolder);
    }

    // Finishing (with a watermark, which walks every page) of the file under a
    // second name.
    std::string finish() {
        const std::string folder = freshFolder();
        const std::string copy = folder + name_;
        if (fs::is_directory(input_))
            fs::create_directory(copy);
        else
            fs::create_hard_link(input_, copy);  // finishing replaces the name, never the input's bytes
        const std::string before = snapshot(copy);
        Protection protection;
        protection.watermarkPath = root_ + "mark.jpg";
        protection.watermarkX = protection.watermarkY = "10";
        OutputFinisher finisher(protection, CreatorText);
        std::string text;
        try {
            fixtures::finishFile(finisher, copy);
            text = "finished";
        } catch (const std::exception& error) {
            text = error.what();
            if (snapshot(copy) != before) text += " [the file changed]";
        }
        return replaceAll(text, folder, "<dir>/") + hiddenFilesIn(folder);
    }

    template <typename Job>
    std::string outcome(Job job, const std::string& folder) {
        std::string text;
        try {
            job();
            text = "wrote";
            for (const std::string& file : fixtures::filesIn(folder)) {
                if (file[0] == '.') continue;
                std::string markers;  // "_" for a page without a marker
                try {
                    for (const std::string& marker : fixtures::readMarkers(folder + file))
                        markers += (markers.empty() ? "" : " ") + (marker.empty() ? "_" : marker);
                } catch (const std::exception& error) {
                    markers = std::string("unreadable: ") + error.what();
                }
                text += " " + replaceAll(file, base_, "<base>") + "[" + markers + "]";
            }
        } catch (const std::exception& error) {
            text = replaceAll(error.what(), root_, "<root>/");
        }
        return text + leftovers() + hiddenFilesIn(folder);
    }

    // Anything a job must not leave behind: a changed input, a temporary
    // file beside the input.
    std::string leftovers() {
        std::string text;
        if (snapshot(input_) != before_) text += " [the input changed]";
        return text + hiddenFilesIn(fs::path(input_).parent_path().string() + "/");
    }

    static std::string hiddenFilesIn(const std::string& folder) {
        std::string text;
        for (const std::string& file : fixtures::filesIn(folder))
            if (file[0] == '.') text += " [left " + file + "]";
        return text;
    }

    std::string freshFolder() {
        const std::string folder = root_ + "work/" + std::to_string(++folders_) + "/";
        fs::create_directory(folder);
        return folder;
    }

    std::string root_, input_, name_, base_, before_;
    NoFinishing finisher_;
    RecordingReporter reporter_;
    int folders_ = 0;
};

// Runs every job over the entry in a child process, so that a crash or a
// hang shows as this case's outcome.
std::string everyJobOver(const DamagedPdf& entry) {
    TempDir dir;
    fs::create_directory(dir.file("inputs"));
    const std::string path = fixtures::placeDamagedPdf(dir.folder() + "inputs/", entry);
    return runInChild([&] { return CaseRun(dir.folder(), path).everyJob(); }, kCaseSeconds);
}

const std::string kResave = "; Please save the file with a different encoding and then retry.";

// The outcome of a file that no job can open: the probe shows the engine's
// message with the re-save hint, every job ends with the message, and
// finishing refuses with its own reason.
std::string refusedEverywhere(const std::string& message, const std::string& finishing) {
    std::string text = "probe: " + message + ": <input>" + kResave + "\n";
    for (const char* caption : {"files of 1", "ranges 2-3;1", "groups of 2", "each 2nd"})
        text += std::string("split ") + caption + ": " + message + "\n";
    return text + "merge: " + message + "\nmix: " + message + "\nfinish: " + finishing + "\n";
}

// The outcome of a document whose three pages A1 to A3 every job finds.
std::string soundEverywhere() {
    return "probe: 3 pages\n"
           "split files of 1: wrote <base>1.pdf[A1] <base>2.pdf[A2] <base>3.pdf[A3]\n"
           "split ranges 2-3;1: wrote <base>1.pdf[A2 A3] <base>2.pdf[A1]\n"
           "split groups of 2: wrote <base>1.pdf[A1 A2] <base>2.pdf[A3]\n"
           "split each 2nd: wrote <base>1.pdf[A2]\n"
           "merge: wrote merged.pdf[A1 A2 A3 B1 B2]\n"
           "mix: wrote mix_mixed.pdf[A1 B1 A2 B2 A3 B1]\n"
           "finish: finished\n";
}

// A document that opens without pages: jobs that write only files with
// pages write nothing; a range list still names its files.
std::string emptyEverywhere(const std::string& name) {
    const std::string noPage = "The file has no page that can be taken: <root>/inputs/" + name + "\n";
    return "probe: 0 pages\n"
           "split files of 1: " + noPage +
           "split ranges 2-3;1: " + noPage +
           "split groups of 2: " + noPage +
           "split each 2nd: " + noPage +
           "merge: wrote merged.pdf[B1 B2]\n"
           "mix: " + noPage +
           "finish: finished\n";
}

std::string unreadableForFinishing(const std::string& name, const std::string& reason) {
    return "Cannot write file \"<dir>/" + name + "\": the new document cannot be read (" + reason + ")";
}

TEST(DamagedInput, EveryJobEndsWithItsMessageOrACorrectOutput) {
    const std::string corrupted = "File not in PDF format or corrupted";
    const std::string noTrailer = "unable to find trailer dictionary while recovering damaged file";
    std::map<std::string, std::string> expected;
    for (const char* name : {"empty.pdf", "header-only.pdf", "cut-at-quarter.pdf", "cut-at-half.pdf",
                             "cut-before-trailer.pdf", "garbage.pdf", "header-then-garbage.pdf"})
        expected[name] = refusedEverywhere(corrupted, unreadableForFinishing(name, noTrailer));
    // The probe refuses a folder by name before it opens it; the jobs refuse it too.
    const std::string folder =
        refusedEverywhere("Not a regular file", "Cannot create file \"<dir>/folder.pdf\". Is a directory");
    expected["folder.pdf"] = "probe: \"<input>\" is not a regular file" + folder.substr(folder.find('\n'));
    for (const char* name : {"pages-not-a-dictionary.pdf", "no-pages.pdf"}) expected[name] = emptyEverywhere(name);
    expected["unknown-security-handler.pdf"] = refusedEverywhere(
        "Unsupported security scheme",
        unreadableForFinishing("unknown-security-handler.pdf", "unsupported encryption filter"));
    // PDFium answers every page of the looping tree with the first page; the
    // outputs are sound files, and finishing names the loop.
    expected["page-tree-loop.pdf"] =
        "probe: 3 pages\n"
        "split files of 1: wrote <base>1.pdf[A1] <base>2.pdf[A1] <base>3.pdf[A1]\n"
        "split ranges 2-3;1: wrote <base>1.pdf[A1 A1] <base>2.pdf[A1]\n"
        "split groups of 2: wrote <base>1.pdf[A1 A1] <base>2.pdf[A1]\n"
        "split each 2nd: wrote <base>1.pdf[A1]\n"
        "merge: wrote merged.pdf[A1 A1 A1 B1 B2]\n"
        "mix: wrote mix_mixed.pdf[A1 B1 A1 B2 A1 B1]\n"
        "finish: " + unreadableForFinishing("page-tree-loop.pdf", "Loop detected in /Pages structure (getAllPages)") + "\n";
    // A page tree naming a page that is not there: PDFium counts it and
    // copies a blank page (_) for it; the three real pages reach every output
    // that names them, whether pages are copied one by one or in one list.
    expected["missing-kid.pdf"] =
        "probe: 4 pages\n"
        "split files of 1: wrote <base>1.pdf[A1] <base>2.pdf[_] <base>3.pdf[A2] <base>4.pdf[A3]\n"
        "split ranges 2-3;1: wrote <base>1.pdf[_ A2] <base>2.pdf[A1]\n"
        "split groups of 2: wrote <base>1.pdf[A1 _] <base>2.pdf[A2 A3]\n"
        "split each 2nd: wrote <base>1.pdf[_] <base>2.pdf[A3]\n"
        "merge: wrote merged.pdf[A1 _ A2 A3 B1 B2]\n"
        "mix: wrote mix_mixed.pdf[A1 B1 _ B2 A2 B1 A3 B2]\n"
        "finish: finished\n";
    // Everything else is a sound document of three pages: a rebuilt
    // cross-reference table, a declared page count PDFium recounts (2147483647)
    // or believes (1000000, where only the pages that exist count),
    // awkward names.
    for (const DamagedPdf& entry : fixtures::damagedPdfs()) {
        const auto it = expected.find(entry.name);
        EXPECT_EQ(everyJobOver(entry), it != expected.end() ? it->second : soundEverywhere()) << "=== " << entry.name;
    }
}

// A file that cannot be read for its permissions: the superuser reads
// everything, so there the case says so and skips.
TEST(DamagedInput, AFileWithoutReadPermissionIsRefused) {
    TempDir dir;
    const DamagedPdf entry{"unreadable.pdf", fixtures::handMadePdf("A", 3)};
    fixtures::placeDamagedPdf(dir.folder(), entry);
    ::chmod(dir.file(entry.name).c_str(), 0);
    if (::access(dir.file(entry.name).c_str(), R_OK) == 0)
        GTEST_SKIP() << "running as the superuser: permission bits do not stop reading";
    const std::string outcome =
        runInChild([&] { return CaseRun(dir.folder(), dir.file(entry.name)).everyJob(); }, kCaseSeconds);
    EXPECT_EQ(outcome, refusedEverywhere("File not found or could not be opened",
                                         "Cannot create file \"<dir>/" + entry.name + "\". Permission denied"));
}

}  // namespace
