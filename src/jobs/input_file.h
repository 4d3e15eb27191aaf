#pragma once
#include <string>

// An input of a job: a file with the password that opens it.
struct InputFile {
    std::string fileName;
    std::string folder;    // with its trailing separator, as the path spelled it
    std::string password;  // empty when the file needs none

    std::string path() const { return folder + fileName; }
};

// The input at path: its file name, and what comes before it as its folder
// ("" for a bare file name).
InputFile inputFileFor(const std::string& path, std::string password = "");

// True when path names a regular file (after following links).
bool isExistingFile(const std::string& path);
