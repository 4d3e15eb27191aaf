#pragma once
#include <memory>
#include <string>
#include <vector>

#include "finishing/structure_request.h"

// Finishes a saved output file in place (creator, dates, password, watermark).
class Finisher {
public:
    virtual ~Finisher() = default;
    virtual void finishOutputFile(const std::string& path) = 0;

    // Finishes an output and carries into it the document structure of the
    // inputs its pages come from. memory is the job's, for what the finisher
    // keeps from one output to the next. Returns the inputs whose structure
    // could not be read. A finisher that carries no structure only finishes.
    virtual std::vector<std::size_t> finishWithStructure(const std::string& path, const StructureRequest& /*request*/,
                                                         std::unique_ptr<StructureMemory>& /*memory*/) {
        finishOutputFile(path);
        return {};
    }
};

// Leaves outputs as the job saved them.
class NoFinishing : public Finisher {
public:
    void finishOutputFile(const std::string&) override {}
};
