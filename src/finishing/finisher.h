#pragma once
#include <string>

// Finishes a saved output file in place (creator, dates, password, watermark).
class Finisher {
public:
    virtual ~Finisher() = default;
    virtual void finishOutputFile(const std::string& path) = 0;
};

// Leaves outputs as the job saved them.
class NoFinishing : public Finisher {
public:
    void finishOutputFile(const std::string&) override {}
};
