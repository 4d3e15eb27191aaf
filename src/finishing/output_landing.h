#pragma once
#include <chrono>
#include <cstdio>
#include <functional>
#include <future>
#include <optional>
#include <string>
#include <vector>

#include "base/platform_files.h"
#include "finishing/written_output.h"

// Puts finished outputs at their targets so that nothing half-written ever
// appears there: each output is written whole into a staged file in its
// target's folder (unnamed where the file system allows, so that even a
// killed process leaves nothing), flushed to disk, and only then given the
// target's name, replacing what was there in one step. A failure leaves the
// target exactly as it was and no staged file behind.
//
// A symbolic link as target is followed: the file it points at is replaced in
// its own folder and the link stays. A device, a FIFO or standard output
// ("-") cannot be replaced; the output is staged among the temporary files
// and written through to it when it lands, which is not all-or-nothing. A
// folder is refused.
//
// Flushing every file on its own waits for a disk commit each, which would
// dominate a split into a thousand small files; outputs are therefore staged
// and landed in batches, their data flushed on threads of their own, several
// files at once so that the file system commits them together, while the job
// makes the next batch, and named (on the job's thread) in the order
// they were staged before the next batch is sent off. A batch stays within
// the files this process may hold open. Staged outputs are complete: they land
// at the latest when the object goes, also when the job ends in an error,
// since the files a job wrote before failing stay.
class OutputLanding {
public:
    using Landed = std::function<void(const WrittenOutput&)>;

    // landed is told of each output once it is at its target.
    explicit OutputLanding(Landed landed);
    ~OutputLanding();
    OutputLanding(const OutputLanding&) = delete;
    OutputLanding& operator=(const OutputLanding&) = delete;

    class Staging;

    // Writes the output through write into a new staged file for
    // output.path. A target that is a folder or a file marked read-only is
    // refused. Raises std::runtime_error naming the target and the reason
    // (write's own error included); nothing is left behind then. May land the
    // batch staged so far.
    void stage(const WrittenOutput& output, const std::function<void(std::FILE*)>& write) {
        Staging staging = createStaged(output);
        fill(staging, write);
        stage(std::move(staging));
    }
    // The same in three steps, the first two of which may run on any thread:
    // the staged file created (or the target refused), written (a staged
    // file goes with its Staging unless it is staged), and put in the batch
    // on the thread that lands.
    static Staging createStaged(const WrittenOutput& output);
    static void fill(Staging& staging, const std::function<void(std::FILE*)>& write);
    void stage(Staging&& staging);

    // Flushes and names every staged output at its target.
    void land();

private:
    struct Staged {
        WrittenOutput output;
        OutputTarget target;
        StagedFile file;
        unsigned mode;  // permissions the landed file gets
    };

public:
    // An output's staged file, before it is in a batch.
    class Staging {
    public:
        Staging() = default;
        const WrittenOutput& output() const { return staged_.output; }

    private:
        friend class OutputLanding;
        explicit Staging(Staged staged) : staged_(std::move(staged)) {}
        Staged staged_;
    };

private:
    // The first file of a batch that could not be flushed, and why.
    struct FlushFailure {
        std::size_t index;
        std::string reason;
    };
    struct Batch {
        std::vector<Staged> files;
        std::future<std::optional<FlushFailure>> flushed;
    };

    // Flushes every file of a batch (but streams), several at once; the
    // first that could not be, if any.
    static std::optional<FlushFailure> flushBatch(std::vector<Staged>& files);
    bool batchIsFull() const;
    void sendOff();
    void landInFlight();
    void discardStaged();

    Landed landed_;
    std::size_t mostOpen_;  // staged files a batch may hold open
    std::vector<Staged> staged_;
    std::size_t stagedBytes_ = 0;
    std::chrono::steady_clock::time_point firstStaged_;
    std::optional<Batch> inFlight_;
};

// True when an output to path is written to this process's standard output
// ("-", /dev/stdout), where nothing else may then be written.
bool landsOnStandardOutput(const std::string& path);
