#pragma once
#include <memory>
#include <string>

#include "engine/pdf_document.h"

// An input of a job: a file with the password that opens it.
struct InputFile {
    std::string fileName;
    std::string folder;    // with its trailing separator, as the path spelled it
    std::string password;  // empty when the file needs none
    // The document, when whoever found its password kept it open: the job
    // that reads the input first takes it instead of opening the file again.
    mutable std::shared_ptr<PdfDocument> opened = nullptr;

    std::string path() const { return folder + fileName; }
};

// The input at path: its file name, and what comes before it as its folder
// ("" for a bare file name).
InputFile inputFileFor(const std::string& path, std::string password = "");

// True when path names a regular file (after following links).
bool isExistingFile(const std::string& path);

// What a path names, for refusing an input before it is opened: a FIFO or a
// device would block the open, and a folder is no document.
enum class PathKind { Missing, RegularFile, NotRegularFile };
PathKind pathKind(const std::string& path);
// Why path cannot be an input, for messages that name it: "does not exist",
// "is not a regular file", or "" when it can.
std::string inputProblem(const std::string& path);
