// Any bytes, saved as a file and opened as a PDF, are merged with themselves
// (padded when there is an odd count of bytes), split by one of the six
// methods (chosen by the last byte; by bookmarks with title names, into
// files of at most 20 KB) and mixed with themselves; every output is
// finished with a password and a watermark. The raw file is finished as well. Only the engine's, the number reading's and
// the file errors may come out.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <png.h>

#include "engine/pdf_error.h"
#include "engine/pdf_document.h"
#include "finishing/output_finisher.h"
#include "jobs/document_session.h"
#include "jobs/job_finishing.h"
#include "jobs/merge_job.h"
#include "jobs/mix_job.h"
#include "jobs/split_job.h"
#include "base/whole_number.h"
#include "support/finish_file.h"
#include "support/recording_reporter.h"

namespace fs = std::filesystem;

namespace {

// A split of a document that declares thousands of pages writes thousands of
// files: correct, but too slow for a fuzzing round.
constexpr int MostPagesProcessed = 64;

// Every input is opened with this password; the protected seed uses it.
const char* const InputPassword = "fuzz";

struct Workspace {
    fs::path folder;
    std::string input, picture, outputs;

    Workspace() {
        std::string pattern = (fs::temp_directory_path() / "splimera-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        folder = pattern;
        input = (folder / "input.pdf").string();
        picture = (folder / "mark.png").string();
        outputs = (folder / "out").string() + "/";
        writePicture();
    }
    ~Workspace() {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    // A 4 x 2 half-transparent RGBA picture.
    void writePicture() const {
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        image.width = 4;
        image.height = 2;
        image.format = PNG_FORMAT_RGBA;
        const std::uint8_t pixels[4 * 2 * 4] = {255, 0, 0, 128, 0, 255, 0, 255, 0, 0, 255, 0, 9, 9, 9, 255,
                                                0, 0, 0, 255, 255, 255, 255, 64, 1, 2, 3, 4, 200, 100, 50, 25};
        if (!png_image_write_to_file(&image, picture.c_str(), 0, pixels, 0, nullptr)) std::abort();
    }

    void reset(const std::uint8_t* data, std::size_t size) const {
        fs::remove_all(outputs);
        fs::create_directory(outputs);
        std::ofstream(input, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                      static_cast<std::streamsize>(size));
    }
};

// SPLIMERA_FUZZ_VERBOSE=1 tells how each step of an input ended, to see
// which seeds reach the jobs.
const bool verbose = std::getenv("SPLIMERA_FUZZ_VERBOSE") != nullptr;

template <typename Job>
void runAllowingErrors(const char* step, Job job) {
    std::string outcome = "done";
    try {
        job();
    } catch (const PdfError& error) {
        outcome = std::string("PdfError: ") + error.what();
    } catch (const ConvertError& error) {
        outcome = std::string("ConvertError: ") + error.what();
    } catch (const std::runtime_error& error) {
        outcome = std::string("runtime_error: ") + error.what();
    }
    if (verbose) std::fprintf(stderr, "%s: %s\n", step, outcome.c_str());
}

// The page count when the file opens as a PDF, -1 when it does not.
int openedPageCount(const InputFile& input) {
    try {
        return PdfDocument::open(input.path(), input.password).pageCount();
    } catch (const PdfError&) {
        return -1;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Workspace workspace;
    workspace.reset(data, size);

    const Protection protection{"secret", workspace.picture, "10", "20"};
    RecordingReporter reporter;
    const InputFile input{"input.pdf", workspace.folder.string() + "/", InputPassword};

    const int pages = openedPageCount(input);
    if (verbose) std::fprintf(stderr, "pages: %d\n", pages);
    if (pages >= 0 && pages <= MostPagesProcessed) {
        runAllowingErrors("merge", [&] {
            MergeRequest merge;
            merge.inputs = {input, input};
            merge.outputPath = workspace.outputs + "merged.pdf";
            merge.protection = protection;
            merge.padOdd = size % 2 == 1;
            runMerge(merge, reporter);
        });
        runAllowingErrors("split", [&] {
            SplitRequest split;
            split.input = input;
            split.method = static_cast<SplitMethod>(size ? data[size - 1] % 6 + 1 : 1);
            split.filesOfSize = "2";
            split.everyGroupSize = "2";
            split.everyGroupStart = "2";
            split.eachStep = "2";
            split.eachStart = "1";
            split.rangeList = "1-3;2,1;9;";
            split.bookmarkLevel = "1";
            split.titleNames = true;
            split.sizeLimit = "20K";
            split.baseName = "part";
            split.destinationFolder = workspace.outputs;
            split.protection = protection;
            runSplit(split, reporter);
        });
        runAllowingErrors("mix", [&] {
            MixRequest mix;
            mix.first = mix.second = input;
            mix.secondMethod.method = MixMethod::Each;
            mix.reverseSecond = true;
            mix.destinationFolder = workspace.outputs;
            mix.protection = protection;
            runMix(mix, reporter);
        });
    }
    runAllowingErrors("finish input", [&] { fixtures::finishFile(finisherFor(protection), workspace.input); });
    return 0;
}
