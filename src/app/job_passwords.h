#pragma once
#include <functional>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "jobs/input_file.h"

struct ParsedArguments;

// Asks someone for the password of the file at path; nothing when they give none.
using AskPassword = std::function<std::optional<std::string>(const std::string& path)>;

// The passwords a job command tries on its protected inputs.
struct InputPasswords {
    std::vector<std::string> given;  // every --password, then every line of --password-file
    AskPassword ask;                 // asked when none of them opens a file; may be empty
};

// Reads the options that give passwords: --password, --password-file,
// --output-password and --output-password-file, whose FILE "-" is
// standardInput. Someone is asked (ask) only when standard input is not read
// for a password file. Raises UsageError for a file that cannot be read, an
// output password file whose first line is empty, both output password
// options, an empty output password, and standard input named twice. A
// password file that other users may read is named on warnings.
class PasswordOptions {
public:
    PasswordOptions(const ParsedArguments& parsed, std::istream& standardInput, AskPassword ask,
                    std::ostream& warnings);

    const InputPasswords& inputs() const { return inputs_; }
    // The output password the options give, if they give one.
    const std::optional<std::string>& output() const { return output_; }

private:
    InputPasswords inputs_;
    std::optional<std::string> output_;
};

// Opens the input with the first of the passwords that works, asking when
// none does (three times at most), and keeps it in the input. Returns the
// input's page count. Raises the engine's error, naming the file, when no
// password opens it.
int unlockInput(InputFile& input, const InputPasswords& passwords);
