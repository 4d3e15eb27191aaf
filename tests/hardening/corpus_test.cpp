// Every job over every PDF of a folder of real files (named by the
// environment variable SPLIMERA_CORPUS; the test skips without it). Each job
// runs as the program in a child process with a time limit. Where the folder
// holds REFERENCE.tsv, a file that qpdf merges must merge here too.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <map>
#include <set>
#include <sstream>

#include <qpdf/QPDF.hh>

#include "support/fixtures.h"
#include "support/process.h"

namespace {

namespace fs = std::filesystem;
using fixtures::TempDir;

// A job answers in about a second; the limit leaves room for a loaded or
// sanitizer-instrumented machine.
constexpr int kJobSeconds = 30;

std::set<std::string> mergedByQpdf(const std::string& folder) {
    std::set<std::string> names;
    std::ifstream table(folder + "/REFERENCE.tsv");
    std::string line;
    std::getline(table, line);  // the heading
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string name, pages, merges;
        std::getline(fields, name, '\t');
        std::getline(fields, pages, '\t');
        std::getline(fields, merges, '\t');
        if (merges == "yes") names.insert(name);
    }
    return names;
}

int pageCountOf(const std::string& path) {
    QPDF pdf;
    pdf.setSuppressWarnings(true);
    pdf.processFile(path.c_str());
    return static_cast<int>(pdf.getAllPages().size());
}

// What went wrong with one job, or "" when it behaved.
std::string judge(const std::string& job, const fixtures::ProcessResult& result, const std::string& input,
                  const std::string& outputs, bool mustSucceed) {
    if (result.exitCode < 0) return job + ": no answer " + result.err;
    if (result.exitCode != 0 && result.exitCode != 1)
        return job + ": ended with " + std::to_string(result.exitCode) + " " + result.err;
    if (result.exitCode == 1 && result.err.find(input) == std::string::npos)
        return job + ": failed without naming the file: " + result.err;
    if (result.exitCode != 0 && mustSucceed) return job + ": failed where qpdf succeeds: " + result.err;
    for (const std::string& name : fixtures::filesIn(outputs)) {
        try {
            if (pageCountOf(outputs + name) == 0) return job + ": wrote " + name + " without pages";
        } catch (const std::exception& error) {
            return job + ": wrote " + name + ", which libqpdf cannot read: " + error.what();
        }
    }
    return "";
}

// Every problem the three jobs show on one file.
std::string runJobs(const fs::path& original, bool qpdfMerges) {
    TempDir dir;
    const std::string input = dir.file("in.pdf");
    fs::copy_file(original, input);
    const std::string before = fixtures::readFile(input);
    for (const char* folder : {"split", "merge", "mix", "config"}) fs::create_directory(dir.file(folder));
    const std::string config = dir.file("config");

    std::string problems;
    auto note = [&](const std::string& problem) {
        if (!problem.empty()) problems += "\n  " + problem;
    };
    note(judge("split", fixtures::runSplimera({"split", input, "--to", dir.file("split")}, dir.path(), config, kJobSeconds),
               input, dir.file("split") + "/", false));
    note(judge("merge",
               fixtures::runSplimera({"merge", input, input, "-o", dir.file("merge/out.pdf")}, dir.path(), config,
                                     kJobSeconds),
               input, dir.file("merge") + "/", qpdfMerges));
    note(judge("mix", fixtures::runSplimera({"mix", input, input, "--to", dir.file("mix")}, dir.path(), config, kJobSeconds),
               input, dir.file("mix") + "/", false));
    if (fixtures::readFile(input) != before) note("the input changed");
    return problems;
}

TEST(Corpus, EveryJobAnswersOverEveryFile) {
    const char* folder = std::getenv("SPLIMERA_CORPUS");
    if (!folder || !fs::is_directory(folder)) GTEST_SKIP() << "SPLIMERA_CORPUS names no folder";
    const std::set<std::string> merges = mergedByQpdf(folder);
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".pdf") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    // SPLIMERA_CORPUS_STRIDE=N takes every N-th file, for slow (sanitizer) builds.
    const char* strideText = std::getenv("SPLIMERA_CORPUS_STRIDE");
    const std::size_t stride = strideText ? std::max(1, std::atoi(strideText)) : 1;

    // Two files at a time: the machines that run this have two cores.
    std::map<std::string, std::future<std::string>> running;
    std::string report;
    auto collect = [&](std::map<std::string, std::future<std::string>>::iterator done) {
        const std::string problems = done->second.get();
        if (!problems.empty()) report += done->first + ":" + problems + "\n";
        running.erase(done);
    };
    for (std::size_t i = 0; i < files.size(); i += stride) {
        const std::string name = files[i].filename().string();
        if (running.size() == 2) collect(running.begin());
        running.emplace(name, std::async(std::launch::async, runJobs, files[i], merges.count(name) > 0));
    }
    while (!running.empty()) collect(running.begin());
    EXPECT_EQ(report, "");
}

}  // namespace
