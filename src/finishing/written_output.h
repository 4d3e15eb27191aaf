#pragma once
#include <string>

// One file a job wrote, as its front end reports it.
struct WrittenOutput {
    std::string path;
    int pageCount = 0;
    bool passwordProtected = false;
    bool watermarked = false;
};
