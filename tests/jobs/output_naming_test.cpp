#include <gtest/gtest.h>

#include "jobs/output_naming.h"

namespace {

TEST(OutputNaming, PadsToTheDigitsOfThePageCount) {
    EXPECT_EQ(numberedOutputName("/o/", "doc_", 7, 120), "/o/doc_007.pdf");
    EXPECT_EQ(numberedOutputName("/o/", "doc_", 12, 9), "/o/doc_12.pdf");
    EXPECT_EQ(numberedOutputName("/o/", "", 1, 10), "/o/01.pdf");
    EXPECT_EQ(numberedOutputName("", "x", 3, 0), "x3.pdf");
    EXPECT_EQ(digitCount(0), 1);
    EXPECT_EQ(digitCount(2147483647), 10);
}

TEST(OutputNaming, BaseNameDropsEveryPdfInAnyCase) {
    EXPECT_EQ(baseNameFor("Report.PDF"), "Report_");
    EXPECT_EQ(baseNameFor("Report.pdf.PDF"), "Report_");
    EXPECT_EQ(baseNameFor("my.pdfs.pdf"), "mys_");
    EXPECT_EQ(baseNameFor("notes"), "notes_");
}

TEST(OutputNaming, ProgressRoundsHalvesToEven) {
    EXPECT_EQ(progressPercent(1, 8), 12);   // 12.5
    EXPECT_EQ(progressPercent(3, 8), 38);   // 37.5
    EXPECT_EQ(progressPercent(1, 3), 33);
    EXPECT_EQ(progressPercent(2, 3), 67);
    EXPECT_EQ(progressPercent(10, 10), 100);
    EXPECT_EQ(progressPercent(0, 0), 0);
}

TEST(OutputNaming, DefaultPlaceIsBesideTheInputUnderItsBaseName) {
    const OutputPlace place = defaultOutputPlace(inputFileFor("/data/Scan.2024.PDF"));
    EXPECT_EQ(place.baseName, "Scan.2024_");
    EXPECT_EQ(place.folder, "/data/");
    EXPECT_EQ(defaultOutputPlace(inputFileFor("notes.pdf")).folder, "");
}

}  // namespace
