#pragma once
#include <cstdio>
#include <string>

// A new document as a job hands it to finishing: the bytes PDFium saved, and
// where it is to land.
struct NewOutput {
    std::string path;
    std::string pdf;
    int pageCount = 0;
};

// Turns a job's new documents into the files it writes (creator, dates,
// password, watermark).
class Finisher {
public:
    virtual ~Finisher() = default;
    // Reads and checks what finishing needs, before the job writes anything.
    virtual void prepare() {}
    // Writes the finished document into file, a new temporary file that
    // replaces output.path once complete.
    virtual void writeFinished(const NewOutput& output, std::FILE* file) = 0;
    virtual bool protects() const { return false; }
    virtual bool stamps() const { return false; }
};

// Writes outputs as the job saved them.
class NoFinishing : public Finisher {
public:
    void writeFinished(const NewOutput& output, std::FILE* file) override;
};
