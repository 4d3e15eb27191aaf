#include <gtest/gtest.h>

#include "jobs/merge_request.h"
#include "jobs/mix_request.h"
#include "jobs/request_error.h"
#include "jobs/split_request.h"

namespace {

// "field: message" of the error check() raises, "" when it raises none.
template <typename Request>
std::string refusal(const Request& request) {
    try {
        request.check();
        return "";
    } catch (const RequestError& error) {
        return std::to_string(static_cast<int>(error.field())) + " '" + error.text() + "': " + error.what();
    }
}

std::string refusalText(RequestField field, const std::string& text, const std::string& message) {
    return std::to_string(static_cast<int>(field)) + " '" + text + "': " + message;
}

TEST(SplitRequest, StartsFromTheInputsNameAndFolder) {
    const SplitRequest request = splitRequestFor(inputFileFor("/data/Report.PDF", "pw"));
    EXPECT_EQ(request.input.path(), "/data/Report.PDF");
    EXPECT_EQ(request.input.password, "pw");
    EXPECT_EQ(request.baseName, "Report_");
    EXPECT_EQ(request.destinationFolder, "/data/");
    EXPECT_EQ(request.method, SplitMethod::IntoFilesOf);
    EXPECT_EQ(request.filesOfSize, "1");
    EXPECT_EQ(refusal(request), "");
}

// Only the numbers of the chosen method are read; a range list is read as
// the job runs.
TEST(SplitRequest, CheckNamesTheFirstUnusableNumberOfTheChosenMethod) {
    using M = SplitMethod;
    using F = RequestField;
    const std::string notANumber = " is not a valid integer value";
    struct Case {
        M method;
        std::string SplitRequest::*field;
        std::string text, refused;
    } cases[] = {
        {M::IntoFilesOf, &SplitRequest::filesOfSize, "", refusalText(F::FilesOfSize, "", "''" + notANumber)},
        {M::IntoFilesOf, &SplitRequest::filesOfSize, "0", ""},
        {M::EveryGroupOf, &SplitRequest::everyGroupSize, "3 ",
         refusalText(F::EveryGroupSize, "3 ", "'3 '" + notANumber)},
        {M::EveryGroupOf, &SplitRequest::everyGroupStart, "x", refusalText(F::EveryGroupStart, "x", "'x'" + notANumber)},
        {M::Each, &SplitRequest::eachStep, "-2",
         refusalText(F::EachStep, "-2", "'-2'" + notANumber + ": it must be 0 or more")},
        {M::Each, &SplitRequest::eachStart, "1.5", refusalText(F::EachStart, "1.5", "'1.5'" + notANumber)},
        {M::Each, &SplitRequest::eachStart, "$10", ""},
        {M::ByPageRange, &SplitRequest::rangeList, "x;-", ""},
    };
    for (const Case& c : cases) {
        SplitRequest request;
        request.method = c.method;
        // The fields of the other methods are left unusable.
        request.filesOfSize = request.everyGroupSize = request.everyGroupStart = request.eachStep =
            request.eachStart = "?";
        (c.method == M::EveryGroupOf ? request.everyGroupStart : request.eachStart) = "1";
        (c.method == M::IntoFilesOf ? request.filesOfSize : c.method == M::EveryGroupOf ? request.everyGroupSize
                                                                                         : request.eachStep) = "1";
        request.*c.field = c.text;
        EXPECT_EQ(refusal(request), c.refused) << "'" << c.text << "'";
    }
}

TEST(MixRequest, CheckNamesTheDocumentAndTheNumber) {
    using F = RequestField;
    struct Case {
        MixMethod first, second;
        std::string MixMethodFields::*field;
        bool ofSecond;
        std::string text, refused;
    } cases[] = {
        {MixMethod::EveryGroupOf, MixMethod::EveryGroupOf, &MixMethodFields::groupCount, false, "",
         refusalText(F::FirstCount, "", "'' is not a valid integer value")},
        {MixMethod::Each, MixMethod::EveryGroupOf, &MixMethodFields::eachStart, false, "-1",
         refusalText(F::FirstStart, "-1", "'-1' is not a valid integer value: it must be 0 or more")},
        {MixMethod::EveryGroupOf, MixMethod::Each, &MixMethodFields::eachCount, true, "2147483648",
         refusalText(F::SecondCount, "2147483648", "'2147483648' is not a valid integer value")},
        {MixMethod::EveryGroupOf, MixMethod::EveryGroupOf, &MixMethodFields::groupStart, true, "x",
         refusalText(F::SecondStart, "x", "'x' is not a valid integer value")},
        {MixMethod::EveryGroupOf, MixMethod::EveryGroupOf, &MixMethodFields::eachStart, true, "x", ""},
        {MixMethod::Each, MixMethod::Each, &MixMethodFields::eachCount, false, "0", ""},
    };
    for (const Case& c : cases) {
        MixRequest request;
        request.firstMethod.method = c.first;
        request.secondMethod.method = c.second;
        (c.ofSecond ? request.secondMethod : request.firstMethod).*c.field = c.text;
        EXPECT_EQ(refusal(request), c.refused) << "'" << c.text << "'";
    }
    MixRequest request;
    request.secondMethod = {MixMethod::Each, "", "", "4", "2"};
    EXPECT_EQ(request.firstCut().count, 3);
    EXPECT_EQ(request.secondCut().method, MixMethod::Each);
    EXPECT_EQ(request.secondCut().count, 4);
    EXPECT_EQ(request.secondCut().start, 2);
}

TEST(MergeRequest, CheckWantsAnOutput) {
    MergeRequest request;
    EXPECT_EQ(refusal(request), refusalText(RequestField::OutputPath, "", "No output file given"));
    request.outputPath = "out.pdf";
    EXPECT_EQ(refusal(request), "");
}

TEST(InputFile, PathsSplitAsSpelled) {
    const struct {
        std::string path, fileName, folder;
    } cases[] = {
        {"/data/a.pdf", "a.pdf", "/data/"},
        {"a.pdf", "a.pdf", ""},
        {"./sub//a b.pdf", "a b.pdf", "./sub//"},
        {"/a.pdf", "a.pdf", "/"},
        {"Übersicht/日本.pdf", "日本.pdf", "Übersicht/"},
    };
    for (const auto& c : cases) {
        const InputFile input = inputFileFor(c.path);
        EXPECT_EQ(input.fileName, c.fileName) << c.path;
        EXPECT_EQ(input.folder, c.folder) << c.path;
        EXPECT_EQ(input.path(), c.path);
    }
}

}  // namespace
