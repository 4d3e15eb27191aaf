#pragma once
#include <functional>
#include <string>

// Runs body in a child process and returns the text it produced, or a line
// saying how the child ended otherwise: a crash, an exit without an answer,
// or no answer within timeoutSeconds (then the child is killed). A test goes
// on with its next case whatever one case does to its process.
std::string runInChild(const std::function<std::string()>& body, int timeoutSeconds);
