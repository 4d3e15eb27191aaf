#pragma once
#include <cstdio>
#include <string>
#include <vector>

#include "finishing/saved_pdf.h"
#include "structure/structure_request.h"

// A new document as a job hands it to finishing: the bytes PDFium saved, and
// where it is to land.
struct NewOutput {
    std::string path;
    SavedPdf pdf;
    int pageCount = 0;
    // Where its pages come from, for the structure of the inputs (bookmarks,
    // links, forms, ...) to be carried into it; none: nothing is carried.
    StructureRequest structure;
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
    // The finished document's bytes, for a job that weighs an output before
    // it writes it; the same bytes writeFinished would write, but for dates
    // and the encryption's random parts made anew. By default what writeFinished writes into a
    // temporary file.
    virtual std::string finishInMemory(const NewOutput& output);
    virtual bool protects() const { return false; }
    virtual bool stamps() const { return false; }
    // Whether finishing puts back the pictures of inputs given to PDFium
    // with picture stubs (structure/picture_stubs.h).
    virtual bool restoresPictures() const { return false; }
    // The inputs of the output written last whose structure could not be
    // read, so that it was not carried.
    virtual std::vector<std::size_t> structureNotCarried() const { return {}; }
    // What the output written last left out of its inputs' structure.
    virtual std::vector<StructureNote> structureNotes() const { return {}; }
};

// Writes outputs as the job saved them.
class NoFinishing : public Finisher {
public:
    void writeFinished(const NewOutput& output, std::FILE* file) override;
};
