#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/usage.h"

namespace {

std::string sourceFile(const std::string& path) {
    std::ifstream file(std::string(SPLIMERA_SOURCE_DIR) + "/" + path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The text between the lines `begin` and `end`.
std::string between(const std::string& text, const std::string& begin, const std::string& end) {
    const std::size_t start = text.find(begin + "\n");
    const std::size_t stop = text.find(end + "\n");
    if (start == std::string::npos || stop == std::string::npos || stop < start) return "";
    return text.substr(start + begin.size() + 1, stop - start - begin.size() - 1);
}

TEST(Usage, ManualPageAndReadmeListTheOptionsOfTheTable) {
    EXPECT_EQ(between(sourceFile("data/splimera.1"), ".\\\" options begin", ".\\\" options end"), manualPageOptions())
        << "data/splimera.1 lists other options than the table; the lines between its markers should be:\n"
        << manualPageOptions();
    EXPECT_NE(sourceFile("README.md").find("```\n" + jobCommandUsage() + "```\n"), std::string::npos)
        << "README.md should show the job commands' usage as --help prints it:\n"
        << jobCommandUsage();
}

}  // namespace
