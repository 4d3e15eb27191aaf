#pragma once
#include <string>

#include "finishing/finishing_settings.h"
#include "jobs/finisher.h"

// Finishes every output in place over libqpdf: creator text and dates, then the
// configured password and watermark, in one save that replaces the file. An
// error in any step leaves the file as it was and raises an exception whose
// message names the file (or the picture) and the reason.
class OutputFinisher : public Finisher {
public:
    explicit OutputFinisher(FinishingSettings settings = {}) : settings_(std::move(settings)) {}

    // Read at every call, so the window may change them between jobs.
    FinishingSettings& settings() { return settings_; }
    const FinishingSettings& settings() const { return settings_; }

    void finishOutputFile(const std::string& path) override { _finishOutputFile(path); }
    void _finishOutputFile(const std::string& path) { finish(path, nullptr, nullptr); }
    // Carries the inputs' document structure before finishing; see carryStructure.
    std::vector<std::size_t> finishWithStructure(const std::string& path, const StructureRequest& request,
                                                 std::unique_ptr<StructureMemory>& memory) override;

private:
    std::vector<std::size_t> finish(const std::string& path, const StructureRequest* request,
                                    std::unique_ptr<StructureMemory>* memory);

    FinishingSettings settings_;
};
