#include <gtest/gtest.h>
#include <cstdlib>
#include <optional>
#include <sstream>

#include "ui/display_check.h"
#include "ui/file_filter.h"
#include "ui/headless_dialogs.h"

namespace {

TEST(HeadlessDialogs, WritesEachMessageAsOneLineAndAnswersEveryQuestionWithCancel) {
    std::ostringstream errors;
    HeadlessDialogs dialogs(errors);
    dialogs.showMessage("File not found or could not be opened");
    dialogs.showMessage("first line\r\nsecond line\nthird");
    EXPECT_EQ(errors.str(), "File not found or could not be opened\nfirst line second line third\n");

    std::string text = "kept";
    EXPECT_FALSE(dialogs.askText("Enter password", "a.pdf is protected.", true, text));
    EXPECT_EQ(text, "kept");
    EXPECT_FALSE(dialogs.ask("Replace them?"));
    EXPECT_FALSE(dialogs.offerAction("Wrote 2 files", "Open folder"));
    EXPECT_EQ(errors.str(), "File not found or could not be opened\nfirst line second line third\n"
                            "a.pdf is protected.\nReplace them?\nWrote 2 files\n");
    EXPECT_TRUE(dialogs.chooseOpenFiles("PDF file|*.pdf", true).empty());
    EXPECT_EQ(dialogs.chooseSaveFile("PDF file|*.pdf", "pdf", "/tmp/output.pdf"), "");
    EXPECT_EQ(dialogs.chooseFolder("/tmp"), "");
    EXPECT_EQ(dialogs.choosePicture("Pictures|*.png"), "");
}

TEST(HeadlessDialogs, WritesToStandardErrorByDefault) {
    HeadlessDialogs dialogs;
    testing::internal::CaptureStderr();
    dialogs.showMessage("Passwords do not match");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Passwords do not match\n");
}

TEST(FileFilter, BarSeparatedPairsBecomeQtFilters) {
    const std::pair<const char*, const char*> cases[] = {
        {"PDF file|*.pdf", "PDF file (*.pdf)"},
        {"Pictures|*.png;*.jpg;*.jpeg", "Pictures (*.png *.jpg *.jpeg)"},
        {"PDF file|*.pdf|All files|*", "PDF file (*.pdf);;All files (*)"},
        {"*.pdf", "*.pdf (*.pdf)"},
        {"", ""},
    };
    for (const auto& [filter, expected] : cases) EXPECT_EQ(qtFileFilter(filter), expected) << filter;
}

TEST(FileFilter, DefaultExtensionIsAddedOnlyToANameWithoutOne) {
    const std::pair<const char*, const char*> cases[] = {
        {"/home/ann/output", "/home/ann/output.pdf"},
        {"/home/ann/output.pdf", "/home/ann/output.pdf"},
        {"/home/ann/Report.PDF", "/home/ann/Report.PDF"},
        {"/home/ann/notes.txt", "/home/ann/notes.txt"},
        {"/home/ann.d/output", "/home/ann.d/output.pdf"},
        {"C:\\Users\\ann.d\\output", "C:\\Users\\ann.d\\output.pdf"},
        {"/home/ann/.hidden", "/home/ann/.hidden.pdf"},
        {"/home/ann/output.", "/home/ann/output.pdf"},
        {"", ""},
    };
    for (const auto& [name, expected] : cases) EXPECT_EQ(withDefaultExtension(name, "pdf"), expected) << name;
}

// Sets an environment variable for the life of the object, or removes it.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value) setenv(name, value, 1);
        else unsetenv(name);
    }
    ~ScopedVariable() {
        if (old_) setenv(name_, old_->c_str(), 1);
        else unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(DisplayCheck, ADisplayIsThereWhenEitherVariableIsSetAndNotEmpty) {
    struct Case {
        const char* display;
        const char* wayland;
        bool expected;
    };
    const Case cases[] = {
        {nullptr, nullptr, false}, {"", "", false},         {":0", nullptr, true},
        {nullptr, "wayland-0", true}, {"", "wayland-0", true}, {":99", "", true},
    };
    for (const Case& c : cases) {
        ScopedVariable display("DISPLAY", c.display);
        ScopedVariable wayland("WAYLAND_DISPLAY", c.wayland);
        EXPECT_EQ(hasDisplay(), c.expected) << (c.display ? c.display : "unset") << " / "
                                            << (c.wayland ? c.wayland : "unset");
    }
}

}  // namespace
