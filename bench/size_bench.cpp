// Splits a PDF with the split job, finished as the program finishes its
// outputs (structure, creator, dates; no protection): into files of at most
// SIZE bytes, or into files of N pages for comparison.
// Usage: size_bench INPUT.pdf OUTPUT_FOLDER size SIZE | pages N
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "jobs/job_reporter.h"
#include "jobs/split_job.h"

namespace {

class QuietReporter : public JobReporter {
public:
    void showMessage(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
    std::string translation(const std::string& key) override { return key; }
};

}  // namespace

int main(int argc, char** argv) {
    const std::string kind = argc == 5 ? argv[3] : "";
    if (kind != "size" && kind != "pages") {
        std::fprintf(stderr, "usage: %s INPUT.pdf OUTPUT_FOLDER size SIZE | pages N\n", argv[0]);
        return 2;
    }
    const std::filesystem::path input = std::filesystem::absolute(argv[1]);
    SplitRequest request;
    request.input = {input.filename().string(), input.parent_path().string() + "/", ""};
    request.method = kind == "size" ? SplitMethod::BySize : SplitMethod::IntoFilesOf;
    (kind == "size" ? request.sizeLimit : request.filesOfSize) = argv[4];
    request.baseName = "part_";
    request.destinationFolder = std::string(argv[2]) + "/";

    QuietReporter reporter;
    try {
        runSplit(request, reporter);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
