// Splits a PDF into files of N pages with the split job, as "-qs" would but
// without finishing. Usage: split_bench INPUT.pdf OUTPUT_FOLDER N
#include <cstdio>
#include <exception>
#include <filesystem>

#include "finishing/finisher.h"
#include "jobs/job_reporter.h"
#include "jobs/split_job.h"

namespace {

class QuietReporter : public JobReporter {
public:
    void showMessage(const std::string&) override {}
    std::string translation(const std::string& key) override { return key; }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s INPUT.pdf OUTPUT_FOLDER N\n", argv[0]);
        return 2;
    }
    const std::filesystem::path input = std::filesystem::absolute(argv[1]);
    SplitRequest request;
    request.input = {input.filename().string(), input.parent_path().string() + "/", ""};
    request.method = SplitMethod::IntoFilesOf;
    request.filesOfSize = argv[3];
    request.baseName = "part_";
    request.destinationFolder = std::string(argv[2]) + "/";

    NoFinishing finisher;
    QuietReporter reporter;
    try {
        runSplit(request, reporter, finisher);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
