#pragma once
#include <chrono>
#include <cstdio>
#include <functional>
#include <future>
#include <optional>
#include <string>
#include <vector>

#include "finishing/written_output.h"

// Puts finished outputs at their targets so that nothing half-written ever
// appears there: each output is written whole into a new temporary file beside
// its target, flushed to disk, and only then renamed over the target, once.
// A failure leaves the target exactly as it was and no temporary file behind.
//
// Flushing every file on its own costs a disk commit each, which would
// dominate a split into a thousand small files; outputs are therefore staged
// and landed in batches, one flush of the file system serving the batch, the
// outputs renamed in the order they were staged. A full batch is flushed in
// the background while the job makes the next one, and renamed (on the
// job's thread) before the next batch is sent off. Staged outputs are
// complete: they land at the latest when the object goes, also when the job
// ends in an error, since the files a job wrote before failing stay.
class OutputLanding {
public:
    using Landed = std::function<void(const WrittenOutput&)>;

    // landed is told of each output once it is at its target.
    explicit OutputLanding(Landed landed);
    ~OutputLanding();
    OutputLanding(const OutputLanding&) = delete;
    OutputLanding& operator=(const OutputLanding&) = delete;

    // Writes the output through write into a new temporary file beside
    // output.path. A target that is a folder or a file marked read-only is
    // refused. Raises std::runtime_error naming the target and the reason
    // (write's own error included); nothing is left behind then. May land the
    // batch staged so far.
    void stage(const WrittenOutput& output, const std::function<void(std::FILE*)>& write);

    // Flushes and renames every staged output over its target.
    void land();

private:
    struct Staged {
        WrittenOutput output;
        std::string temporary;
        int descriptor;  // open until the batch is flushed
        unsigned mode;   // permissions the landed file gets
    };
    struct Batch {
        std::vector<Staged> files;
        std::future<int> flushed;  // 0, or the error of the flush
    };

    bool batchIsFull() const;
    void sendOff();
    void renameInFlight();
    void discardStaged();

    Landed landed_;
    std::vector<Staged> staged_;
    std::size_t stagedBytes_ = 0;
    std::chrono::steady_clock::time_point firstStaged_;
    std::optional<Batch> inFlight_;
};
