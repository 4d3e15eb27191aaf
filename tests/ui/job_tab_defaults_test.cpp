#include <gtest/gtest.h>

#include "qt_application.h"
#include "support/scripted_dialogs.h"
#include "ui/merge_tab.h"
#include "ui/mix_tab.h"
#include "ui/split_tab.h"

namespace {

// Untouched, each tab asks for what its request holds by default: the
// defaults are written once, in the request.
TEST(JobTabDefaults, AFreshTabAsksForTheRequestsDefaults) {
    ensureQtApplication();
    ScriptedDialogs dialogs;

    const SplitRequest split = SplitTab(dialogs, nullptr).request(), splitDefaults;
    EXPECT_EQ(split.method, splitDefaults.method);
    for (auto field : {&SplitRequest::filesOfSize, &SplitRequest::everyGroupSize, &SplitRequest::everyGroupStart,
                       &SplitRequest::eachStep, &SplitRequest::eachStart, &SplitRequest::rangeList,
                       &SplitRequest::bookmarkLevel, &SplitRequest::sizeLimit, &SplitRequest::baseName})
        EXPECT_EQ(split.*field, splitDefaults.*field);
    EXPECT_EQ(split.titleNames, splitDefaults.titleNames);

    const MixRequest mix = MixTab(dialogs, nullptr).request(), mixDefaults;
    for (auto method : {&MixRequest::firstMethod, &MixRequest::secondMethod}) {
        EXPECT_EQ((mix.*method).method, (mixDefaults.*method).method);
        for (auto field : {&MixMethodFields::groupCount, &MixMethodFields::groupStart, &MixMethodFields::eachCount,
                           &MixMethodFields::eachStart})
            EXPECT_EQ(mix.*method.*field, mixDefaults.*method.*field);
    }
    EXPECT_EQ(mix.reverseSecond, mixDefaults.reverseSecond);
    EXPECT_EQ(mix.singleFile, mixDefaults.singleFile);
    EXPECT_EQ(mix.baseName, mixDefaults.baseName);
    EXPECT_EQ(mix.bookmarks, mixDefaults.bookmarks);

    const MergeRequest merge = MergeTab(dialogs, nullptr).request(), mergeDefaults;
    EXPECT_EQ(merge.bookmarks, mergeDefaults.bookmarks);
    EXPECT_EQ(merge.padOdd, mergeDefaults.padOdd);
    EXPECT_EQ(merge.outputPath, mergeDefaults.outputPath);
}

}  // namespace
