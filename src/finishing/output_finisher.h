#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "finishing/finisher.h"
#include "finishing/prepared_picture.h"
#include "base/protection.h"

class QPDF;
class QPDFWriter;
class StructureSources;
class JobEncryption;

// Finishes a job's outputs over libqpdf, in memory: the structure of the
// inputs carried into each (see carryStructure; each input is read once per
// job, by the job's finisher), creator text and dates,
// then the protection's watermark and password (AES-256). Everything finishing
// needs is read by prepare, before the job writes anything: the picture is
// decoded and compressed once and the position read once, and the password
// hashed into a file key once, for every output of the job (the outputs of a
// job share their file key under the same password). Errors raise exceptions
// whose message names the picture or the position, and the reason; an error
// while writing an output gives the reason alone, which the caller puts
// beside the output's name.
class OutputFinisher : public Finisher {
public:
    OutputFinisher(Protection protection, std::string creatorText);
    OutputFinisher(OutputFinisher&&);
    ~OutputFinisher() override;

    void prepare() override;
    void writeFinished(const NewOutput& output, std::FILE* file) override;
    std::string finishInMemory(const NewOutput& output) override;
    bool protects() const override { return !protection_.outputPassword.empty(); }
    bool stamps() const override { return !protection_.watermarkPath.empty(); }
    bool restoresPictures() const override { return true; }
    std::vector<std::size_t> structureNotCarried() const override { return structureNotCarried_; }
    std::vector<StructureNote> structureNotes() const override { return structureNotes_; }

private:
    // Reads the output into pdf and finishes it there.
    void finish(QPDF& pdf, const NewOutput& output);
    void protect(QPDFWriter& writer) const;

    Protection protection_;
    std::string creatorText_;
    std::optional<PreparedPicture> picture_;
    int x_ = 0, y_ = 0;  // the picture's distance from each page's top-left corner, in points
    std::unique_ptr<JobEncryption> encryption_;  // made by prepare when the outputs have a password
    std::unique_ptr<StructureSources> sources_;  // the inputs read so far
    std::vector<std::size_t> structureNotCarried_;
    std::vector<StructureNote> structureNotes_;
};
