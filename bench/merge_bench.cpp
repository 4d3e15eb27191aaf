// Merges the files named on the command line into the last one, as the merge
// job does, without finishing: merge_bench IN... OUT
#include <iostream>

#include "jobs/finisher.h"
#include "jobs/merge_job.h"
#include "jobs/reporter.h"

namespace {
class ConsoleReporter : public Reporter {
public:
    void showMessage(const std::string& text) override { std::cerr << text << '\n'; }
    std::string translation(const std::string& key) override { return key; }
};
}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "usage: merge_bench IN IN... OUT\n";
        return 2;
    }
    MergeOptions options;
    for (int i = 1; i < argc - 1; ++i) options.inputs.push_back({argv[i], "", ""});
    options.outputPath = argv[argc - 1];
    options.silent = true;
    NoFinishing finisher;
    ConsoleReporter reporter;
    try {
        return mergeWithPdfium(options, finisher, reporter) ? 0 : 1;
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
}
