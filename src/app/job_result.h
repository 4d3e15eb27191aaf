#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/output_listing.h"

// What a job command did, as the one JSON document --json prints on standard
// output (described in docs/job-result.md and docs/job-result.schema.json):
// the files written, the notes shown on the way, and the error that ended it.
class JobResult {
public:
    explicit JobResult(std::string command) : command_(std::move(command)) {}

    // The names the command's arguments give (inputs, output, folder,
    // password files, picture): a message naming one of them is taken to
    // concern it.
    void knowFiles(const std::vector<std::string>& names);

    void addFile(const WrittenOutput& output, std::uintmax_t bytes, bool passwordFromOptions, bool watermarkFromOptions);
    void addNote(const std::string& message);
    void setError(const std::string& message);

    std::string json(int exitCode) const;

private:
    struct File {
        WrittenOutput output;
        std::uintmax_t bytes = 0;
        bool passwordFromOptions = false, watermarkFromOptions = false;
    };
    struct Message {
        std::string text;
        std::optional<std::string> file;
    };
    Message message(const std::string& text) const;

    std::string command_;
    std::vector<std::string> knownFiles_;
    std::vector<File> files_;
    std::vector<Message> notes_;
    std::optional<Message> error_;
};

// `bytes` as a JSON string: UTF-8 as it is, and every byte that is not part
// of UTF-8 as the escape \udcXX of its value XX (the surrogate escapes of
// PEP 383), so that a name that is not UTF-8 is kept byte for byte.
std::string jsonString(const std::string& bytes);
