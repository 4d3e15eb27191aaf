#pragma once
#include <map>
#include <string>
#include <vector>

#include "jobs/finisher.h"
#include "jobs/reporter.h"

// Records what a job shows; translations answer "<key>" unless set.
class RecordingReporter : public Reporter {
public:
    std::vector<std::string> messages;
    std::vector<int> positions;
    std::map<std::string, std::string> texts;
    bool progressVisible = false;

    void showMessage(const std::string& text) override { messages.push_back(text); }
    std::string translation(const std::string& key) override {
        auto it = texts.find(key);
        return it != texts.end() ? it->second : "<" + key + ">";
    }
    void setProgressPosition(int position) override { positions.push_back(position); }
    void setProgressVisible(bool visible) override { progressVisible = visible; }
};

// Records the files handed to finishing.
class RecordingFinisher : public Finisher {
public:
    std::vector<std::string> finished;
    void finishOutputFile(const std::string& path) override { finished.push_back(path); }
};
