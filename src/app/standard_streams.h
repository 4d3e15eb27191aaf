#pragma once
#include <istream>
#include <string>
#include <vector>

// "-" as a file of a job command: an input "-" is standard input, an output
// "-" standard output.

// The path of a copy of what `in` holds, made on the first call into a folder
// of this process's own among the temporary files and removed with it when
// the program ends. Raises std::runtime_error when it cannot be made.
std::string standardInputCopy(std::istream& in);

// The folder outputs named after an input go to when none is given: the
// input's own (inputFolder), the current folder for standard input's copy.
std::string defaultOutputFolder(const std::string& inputFolder);

// Raises UsageError when standard input is asked for twice: as more than one
// input, or as an input and a password file.
void checkStandardInputUse(const std::vector<std::string>& inputs, const std::vector<std::string>& passwordFiles);
