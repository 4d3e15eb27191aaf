#include "app/job_passwords.h"

#include <cstdio>
#include <fstream>
#include <memory>

#include "app/job_command_arguments.h"
#include "base/platform_files.h"
#include "engine/password_search.h"
#include "engine/pdf_error.h"

namespace {

constexpr int MostTimesAsked = 3;

// The lines of the file, or of standard input for "-"; a "\r" before a line
// end is not part of the line.
std::vector<std::string> linesOf(const std::string& option, const std::string& file, std::istream& standardInput) {
    std::ifstream opened;
    if (file != "-") {
        opened.open(file, std::ios::binary);
        if (!opened) throw UsageError("The file of " + option + " cannot be read: " + file);
    }
    std::istream& stream = file == "-" ? standardInput : opened;
    std::vector<std::string> lines;
    for (std::string line; std::getline(stream, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    if (stream.bad()) throw UsageError("The file of " + option + " cannot be read: " + file);
    return lines;
}

// A password file that others may read is named, as ssh names a key file open
// to others, and used all the same.
void warnIfOpenToOthers(const std::string& file, std::ostream& warnings) {
    if (file == "-") return;
    if (const std::optional<unsigned> mode = permissionsOpenToOthers(file)) {
        char octal[8];
        std::snprintf(octal, sizeof octal, "%04o", *mode);
        warnings << "Warning: the password file " << file << " can be read by other users (permissions " << octal
                 << "); chmod 600 keeps it to you" << std::endl;
    }
}

}  // namespace

PasswordOptions::PasswordOptions(const ParsedArguments& parsed, std::istream& standardInput, AskPassword ask,
                                 std::ostream& warnings) {
    const std::string inputFile = parsed.value("--password-file");
    const std::string outputFile = parsed.value("--output-password-file");
    if (inputFile == "-" && outputFile == "-")
        throw UsageError("Only one of --password-file and --output-password-file can read standard input");
    if (parsed.has("--output-password") && parsed.has("--output-password-file"))
        throw UsageError("Give one of --output-password and --output-password-file");

    inputs_.given = parsed.values("--password");
    if (!inputFile.empty()) {
        // No password opens a file only without one, which is tried first anyway.
        for (std::string& line : linesOf("--password-file", inputFile, standardInput))
            if (!line.empty()) inputs_.given.push_back(std::move(line));
        warnIfOpenToOthers(inputFile, warnings);
    }
    if (!outputFile.empty()) {
        const std::vector<std::string> lines = linesOf("--output-password-file", outputFile, standardInput);
        if (lines.empty() || lines.front().empty())
            throw UsageError("The first line of the file of --output-password-file is empty: " + outputFile);
        output_ = lines.front();
        warnIfOpenToOthers(outputFile, warnings);
    } else if (parsed.has("--output-password")) {
        // An empty one would leave the outputs unprotected without a word.
        output_ = parsed.value("--output-password");
        if (output_->empty())
            throw UsageError("The option --output-password needs a password; to write outputs without one, "
                             "use --no-protection");
    }
    if (inputFile != "-" && outputFile != "-") inputs_.ask = std::move(ask);
}

int unlockInput(InputFile& input, const InputPasswords& passwords) {
    auto next = passwords.given.begin();
    int timesAsked = 0;
    const NextPassword nextPassword = [&]() -> std::optional<std::string> {
        if (next != passwords.given.end()) return *next++;
        if (!passwords.ask || timesAsked == MostTimesAsked) return std::nullopt;
        ++timesAsked;
        return passwords.ask(input.path());
    };
    try {
        UnlockedDocument opened = openWithPasswords(input.path(), nextPassword);
        input.password = opened.password;
        const int pageCount = opened.document.pageCount();
        input.opened = std::make_shared<PdfDocument>(std::move(opened.document));
        return pageCount;
    } catch (const PdfError& error) {
        throw PdfError(std::string(error.what()) + ": " + input.path());
    }
}
