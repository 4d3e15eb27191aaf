#pragma once
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// What "-s" and "-m" do with the window before it opens.
class CommandLineWindow {
public:
    virtual ~CommandLineWindow() = default;
    virtual void addSplitFile(const std::string& path) = 0;
    virtual void addMergeFile(const std::string& path) = 0;
    // Makes the window open on the Merge tab instead of the Split tab.
    virtual void showMergeTab() = 0;
    // Shows a message once the window is open, over it.
    virtual void showMessageWhenOpen(const std::string& text) = 0;
};

// The switches that open the window with files in a list: "-s FILE" in the
// Split list, "-m FILE..." in the Merge list. Relative names are made
// absolute, so that the list shows the file's folder and the outputs go
// there. A file "-s" cannot read ends the process with its console line; the
// files "-m" cannot read are left out and listed in one message once the
// window is open, since whoever opened files from a file manager sees no
// console.
class WindowSwitches {
public:
    WindowSwitches(CommandLineWindow& window, std::ostream& console, std::ostream& errors);

    // Nothing when the window is to open; otherwise the exit code.
    std::optional<int> run(const std::vector<std::string>& arguments);

private:
    CommandLineWindow& window_;
    std::ostream& console_;
    std::ostream& errors_;
};

// The path from the root, with "." steps left out; a path from the root, or
// the empty one, stays as it is.
std::string absolutePath(const std::string& path);
