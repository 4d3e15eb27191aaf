// Merges the files named on the command line into the last one, as the merge
// job does, without finishing: merge_bench IN... OUT
#include <iostream>

#include "finishing/finisher.h"
#include "jobs/job_reporter.h"
#include "jobs/merge_job.h"

namespace {
class ConsoleReporter : public JobReporter {
public:
    void showMessage(const std::string& text) override { std::cerr << text << '\n'; }
    std::string translation(const std::string& key) override { return key; }
    void outputWritten(const WrittenOutput&) override { wrote = true; }
    bool wrote = false;
};
}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "usage: merge_bench IN IN... OUT\n";
        return 2;
    }
    MergeRequest request;
    for (int i = 1; i < argc - 1; ++i) request.inputs.push_back({argv[i], "", ""});
    request.outputPath = argv[argc - 1];
    NoFinishing finisher;
    ConsoleReporter reporter;
    try {
        runMerge(request, reporter, finisher);
        return reporter.wrote ? 0 : 1;
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
}
