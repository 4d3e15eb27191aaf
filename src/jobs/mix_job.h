#pragma once
#include <string>

#include "jobs/input_file.h"
#include "jobs/mix_plan.h"
#include "jobs/pdf_documents.h"
#include "jobs/structure_request.h"

class Finisher;
class Reporter;

// The fields of one document's method group as the user typed them; only
// those of the selected method are read.
struct MixMethodFields {
    MixMethod method = MixMethod::EveryGroupOf;
    std::string groupCount = "3", groupStart = "1";
    std::string eachCount = "3", eachStart = "1";
};

struct MixOptions {
    InputFile first, second;  // rows 1 and 2 of the mix list
    MixMethodFields firstMethod, secondMethod;
    std::string baseName = "filename";
    std::string outputFolder;  // used unchanged as the start of every output path
    bool reverseSecond = false;  // take the second document from its last page towards its first
    bool singleFile = false;     // append every turn to one file, base name + "mixed.pdf"
    BookmarkMode bookmarks = BookmarkMode::Keep;
};

// Takes the pages of the two documents in turns and writes each turn that has
// pages as a file of its own, named by the output folder, the base name and
// the turn number padded to the digits of the first document's page count,
// and finishes it. Shows "MsgMixDone" at the end and returns true. Errors
// (opening, a field that is no valid number, saving, finishing) end the job
// and reach the caller; files of turns written before stay, and the document
// objects are left inactive.
bool mixWithPdfium(const MixOptions& options, PdfDocuments& documents, Finisher& finisher, Reporter& reporter);

// The cut a document's fields describe; raises EConvertError for a field
// that is not a whole number of 0 or more.
MixCut readMixCut(const MixMethodFields& fields);
