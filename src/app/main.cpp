#include <QCoreApplication>
#include <string>
#include <vector>

#include "app/job_command_context.h"
#include "app/job_commands.h"

namespace {

// Blanks and control characters around the first argument are not part of it.
std::string trimmed(const std::string& text) {
    std::size_t first = 0, last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= 32) ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32) --last;
    return text.substr(first, last - first);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!arguments.empty() && trimmed(arguments[0]) == "/remove") return 0;

    if (!arguments.empty() && isJobCommand(arguments[0])) {
        QCoreApplication application(argc, argv);
        return runJobCommand(arguments, programJobCommandContext());
    }
    return 0;
}
