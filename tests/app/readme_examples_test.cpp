#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "support/fixtures.h"

namespace {

namespace fs = std::filesystem;
using fixtures::TempDir;

struct Example {
    std::string command;
    std::set<std::string> files;  // what it writes, as the comment after "#" lists them
};

// The lines of the README's block of examples: a command, "  # ", the files it writes.
std::vector<Example> readmeExamples() {
    std::ifstream file(std::string(SPLIMERA_SOURCE_DIR) + "/README.md");
    std::stringstream text;
    text << file.rdbuf();
    const std::string readme = text.str();
    const std::size_t intro = readme.find("Examples, each of which runs as written");
    const std::size_t start = readme.find("```\n", intro);
    const std::size_t end = readme.find("```\n", start + 4);
    std::vector<Example> examples;
    if (intro == std::string::npos || start == std::string::npos || end == std::string::npos) return examples;
    std::istringstream lines(readme.substr(start + 4, end - start - 4));
    for (std::string line; std::getline(lines, line);) {
        const std::size_t comment = line.find("  # ");
        Example example{line.substr(0, comment), {}};
        std::istringstream names(comment == std::string::npos ? "" : line.substr(comment + 4));
        for (std::string name; std::getline(names, name, ',');) example.files.insert(name.substr(name.find_first_not_of(' ')));
        examples.push_back(example);
    }
    return examples;
}

std::set<std::string> filesUnder(const std::string& folder) {
    std::set<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) files.insert(fs::relative(entry.path(), folder).string());
    return files;
}

// Each example runs as written, through the shell, in a folder of the files
// the README names, with the program on the PATH and no stored settings: it
// succeeds, says nothing on standard error and writes the files it lists.
TEST(ReadmeExamples, RunAsWritten) {
    const std::vector<Example> examples = readmeExamples();
    ASSERT_GE(examples.size(), 1u) << "README.md has no block of examples";
    for (const Example& example : examples) {
        SCOPED_TRACE(example.command);
        TempDir folder, config, capture;
        fixtures::writeMarkedPdf(folder.file("report.pdf"), "R", 12);
        fixtures::writeMarkedPdf(folder.file("a.pdf"), "A", 3);
        fixtures::writeMarkedPdf(folder.file("b.pdf"), "B", 2);
        fixtures::writeMarkedPdf(folder.file("locked.pdf"), "L", 2, fixtures::PdfOptions().withPassword("secret"));
        fixtures::writeFile(folder.file("passwords.txt"), "wrong\nsecret\n");
        ::chmod(folder.file("passwords.txt").c_str(), 0600);  // kept private, as the README advises
        fixtures::writeMarkedPdf(folder.file("fronts.pdf"), "F", 3);
        fixtures::writeMarkedPdf(folder.file("backs.pdf"), "K", 3);
        const std::set<std::string> before = filesUnder(folder.path());
        fixtures::writeFile(capture.file("example.sh"), example.command + "\n");

        const std::string shell = "cd '" + folder.path() + "' && env -u DISPLAY -u WAYLAND_DISPLAY -u SOURCE_DATE_EPOCH PATH='" +
                                  fixtures::programFolder() + "':\"$PATH\" XDG_CONFIG_HOME='" + config.path() + "' HOME='" +
                                  config.path() + "' QT_QPA_PLATFORM=offscreen /bin/sh '" + capture.file("example.sh") +
                                  "' > '" + capture.file("out") + "' 2> '" + capture.file("err") + "'";
        EXPECT_EQ(std::system(shell.c_str()), 0) << fixtures::readFile(capture.file("err"));
        EXPECT_EQ(fixtures::readFile(capture.file("err")), "");
        std::set<std::string> written;
        for (const std::string& file : filesUnder(folder.path()))
            if (!before.count(file)) written.insert(file);
        EXPECT_EQ(written, example.files);
    }
}

}  // namespace
