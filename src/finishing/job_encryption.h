#pragma once
#include <memory>
#include <string>

class Buffer;
class QPDF;
class QPDFWriter;

// The AES-256 encryption of a job's outputs, derived from the password once:
// hashing the password into the file key is most of the work of protecting
// a small output, so every output of the job takes the parameters (and the
// file key) of one empty document protected with the password.
class JobEncryption {
public:
    // The same text opens the file and owns it, so whoever opens it may do
    // everything.
    explicit JobEncryption(const std::string& password);
    ~JobEncryption();
    JobEncryption(const JobEncryption&) = delete;
    JobEncryption& operator=(const JobEncryption&) = delete;

    void applyTo(QPDFWriter& writer) const;

private:
    std::shared_ptr<Buffer> bytes_;  // the protected empty document, which protected_ reads
    std::unique_ptr<QPDF> protected_;
};
