#pragma once
#include <string>
#include <vector>

class JobReporter;

// The jobs as a silent command runs them, over files of one folder (with its
// trailing separator); outputs go to that folder.
namespace job_runs {

// Splits input by a range list into part_1.pdf, part_2.pdf, ...
void splitByRanges(const std::string& folder, const std::string& input, const std::string& ranges,
                   JobReporter& reporter);

// Merges the inputs, in order, into output.
void merge(const std::string& folder, const std::vector<std::string>& inputs, const std::string& output,
           JobReporter& reporter);

}  // namespace job_runs
