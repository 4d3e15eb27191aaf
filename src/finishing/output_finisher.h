#pragma once
#include <string>

#include "finishing/finisher.h"
#include "finishing/protection.h"

// Finishes every output in place over libqpdf: creator text and dates, then the
// protection's password and watermark, in one save that replaces the file. An
// error in any step leaves the file as it was and raises an exception whose
// message names the file (or the picture) and the reason. The watermark's
// position is read for each file that has pages to draw on.
class OutputFinisher : public Finisher {
public:
    OutputFinisher(Protection protection, std::string creatorText);

    void finishOutputFile(const std::string& path) override;
    // Carries the inputs' document structure before finishing; see carryStructure.
    std::vector<std::size_t> finishWithStructure(const std::string& path, const StructureRequest& request,
                                                 std::unique_ptr<StructureMemory>& memory) override;

private:
    std::vector<std::size_t> finish(const std::string& path, const StructureRequest* request,
                                    std::unique_ptr<StructureMemory>* memory);

    Protection protection_;
    std::string creatorText_;
};
