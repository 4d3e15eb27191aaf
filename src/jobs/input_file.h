#pragma once
#include <string>

// One row of a job list as the jobs read it.
struct InputFile {
    std::string fileName;
    std::string folder;  // with its trailing separator
    std::string password;  // empty when the file needs none

    std::string path() const { return folder + fileName; }
};
