#pragma once
#include <string>

#include "jobs/input_file.h"
#include "jobs/split_plan.h"

class Finisher;
class Reporter;

// The Split tab as the job reads it. The number fields are texts, read as
// whole numbers only for the selected method.
struct SplitOptions {
    InputFile input;                              // row 1 of the split list
    SplitMethod method = SplitMethod::IntoFilesOf;
    std::string filesOfSize = "1";                // split_method1_input1
    std::string everyGroupSize = "3";             // split_method3_input1
    std::string everyGroupStart = "1";            // split_method3_input2
    std::string eachStep = "3";                   // split_method4_input1
    std::string eachStart = "1";                  // split_method4_input2
    std::string rangeList;                        // split_method2_input1
    std::string baseName = "filename";
    std::string destinationFolder;                // with its trailing separator
    bool silent = false;                          // no completion message
};

// Splits the input into numbered files (destination + base name + number
// padded to the digits of the page count + ".pdf"), finishing each one as it
// is saved, and shows "MsgSplitDone" unless silent. The first failure ends
// the job: files written before it stay, the one being built is not written.
bool splitWithPdfium(const SplitOptions& options, Finisher& finisher, Reporter& reporter);
