// Stopping a job between its outputs, and the outputs the jobs announce
// before they run, checked against what they then write.
#include <gtest/gtest.h>

#include <functional>

#include "jobs/merge_job.h"
#include "jobs/mix_job.h"
#include "jobs/planned_outputs.h"
#include "jobs/split_job.h"
#include "support/fixtures.h"
#include "support/recording_reporter.h"

namespace {

using fixtures::TempDir;
using Names = std::vector<std::string>;

class JobOutputs : public ::testing::Test {
protected:
    void SetUp() override {
        fixtures::writeMarkedPdf(dir.file("a.pdf"), "A", 6);
        fixtures::writeMarkedPdf(dir.file("b.pdf"), "B", 2);
        split.input = {"a.pdf", dir.folder(), ""};
        split.baseName = "s_";
        split.destinationFolder = dir.folder();
        mix.first = {"a.pdf", dir.folder(), ""};
        mix.second = {"b.pdf", dir.folder(), ""};
        mix.baseName = "m_";
        mix.destinationFolder = dir.folder();
        mix.firstMethod.groupCount = "2";
        mix.secondMethod.groupCount = "1";
    }
    Names written() const {
        Names paths;
        for (const auto& [path, pages] : reporter.written) paths.push_back(path);
        return paths;
    }

    TempDir dir;
    RecordingReporter reporter;
    RecordingFinisher finisher;
    SplitRequest split;
    MixRequest mix;
};

TEST_F(JobOutputs, AStoppedJobKeepsTheFilesBeforeAndWritesNoMore) {
    const std::pair<const char*, std::function<void()>> jobs[] = {
        {"split", [&] { runSplit(split, reporter, finisher); }},
        {"split by ranges",
         [&] {
             split.method = SplitMethod::ByPageRange;
             split.rangeList = "1;2;3";
             runSplit(split, reporter, finisher);
         }},
        {"mix", [&] { runMix(mix, reporter, finisher); }},
    };
    for (const auto& [name, run] : jobs) {
        SCOPED_TRACE(name);
        reporter = RecordingReporter();
        reporter.stopAfterLooks = 2;
        run();
        ASSERT_EQ(reporter.written.size(), 2u);
        for (const std::string& path : written()) EXPECT_FALSE(fixtures::markerText(path).empty()) << path;
        EXPECT_TRUE(reporter.messages.empty()) << "no completion message";
        EXPECT_EQ(reporter.positions.back(), 0) << "the progress bar is back at zero";
        EXPECT_FALSE(reporter.progressVisible);
    }

    const Names before = fixtures::filesIn(dir.path());
    MergeRequest merge;
    merge.inputs = {split.input, mix.second};
    merge.outputPath = dir.file("merged.pdf");
    reporter = RecordingReporter();
    reporter.stopAfterLooks = 0;
    runMerge(merge, reporter, finisher);
    EXPECT_EQ(fixtures::filesIn(dir.path()), before) << "a merge stopped before its one output writes nothing";
}

TEST_F(JobOutputs, PlannedOutputsAreTheFilesTheJobWrites) {
    split.method = SplitMethod::ByPageRange;
    split.rangeList = "1-2;9;4,6";  // the group beyond the end writes nothing
    const Names plannedSplit = plannedOutputs(split, 6);
    runSplit(split, reporter, finisher);
    EXPECT_EQ(written(), plannedSplit);

    reporter = RecordingReporter();
    mix.firstMethod.groupStart = "0";
    const Names plannedMix = plannedOutputs(mix, 6, 2);
    runMix(mix, reporter, finisher);
    EXPECT_EQ(written(), plannedMix);
    EXPECT_EQ(plannedMix.size(), 4u);
}

}  // namespace
