#pragma once
#include <map>
#include <string>
#include <vector>

#include "finishing/finisher.h"
#include "jobs/job_reporter.h"

// Records what a job shows and writes; translations answer "<key>" unless set.
class RecordingReporter : public JobReporter {
public:
    std::vector<std::string> messages;
    std::vector<int> positions;
    std::map<std::string, std::string> texts;
    bool progressVisible = false;
    std::vector<std::pair<std::string, int>> written;  // path and page count

    void showMessage(const std::string& text) override { messages.push_back(text); }
    std::string translation(const std::string& key) override {
        auto it = texts.find(key);
        return it != texts.end() ? it->second : "<" + key + ">";
    }
    void setProgressPosition(int position) override { positions.push_back(position); }
    void setProgressVisible(bool visible) override { progressVisible = visible; }
    void outputWritten(const WrittenOutput& output) override { written.emplace_back(output.path, output.pageCount); }
};

// Records the files handed to finishing and writes them as the job saved them.
class RecordingFinisher : public NoFinishing {
public:
    std::vector<std::string> finished;
    void writeFinished(const NewOutput& output, std::FILE* file) override {
        finished.push_back(output.path);
        NoFinishing::writeFinished(output, file);
    }
};
