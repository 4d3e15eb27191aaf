#include <gtest/gtest.h>

#include <numeric>

#include "jobs/size_fitting.h"

namespace {

// Files weighed by a fixed part and the sizes of their pages; fits the pages
// of a document into files one after the other, as the split does.
struct Fitting {
    long long fixed;
    std::vector<long long> pages;

    std::vector<int> filePages(long long limit, int& weighings) const {
        long long weighedPages = 0;
        return filePages(limit, weighings, weighedPages);
    }
    std::vector<int> filePages(long long limit, int& weighings, long long& weighedPages) const {
        SizeModel model;
        std::vector<int> files;
        for (std::size_t first = 0; first < pages.size();) {
            const int available = static_cast<int>(pages.size() - first);
            const int taken = fitPages(available, limit, model, [&](int count) {
                ++weighings;
                weighedPages += count;
                EXPECT_GE(count, 1);
                EXPECT_LE(count, available);
                return weight(first, count);
            });
            files.push_back(taken);
            first += static_cast<std::size_t>(taken);
        }
        return files;
    }
    long long weight(std::size_t first, int count) const {
        return std::accumulate(pages.begin() + first, pages.begin() + first + count, fixed);
    }
};

TEST(SizeFitting, EachFileTakesThePagesThatFitAndAPageTooLargeGoesAlone) {
    const struct {
        const char* name;
        Fitting fitting;
        long long limit;
        std::vector<int> files;
    } cases[] = {
        {"even pages", {1000, std::vector<long long>(100, 100)}, 3000, std::vector<int>(5, 20)},
        {"everything fits", {1000, std::vector<long long>(10, 100)}, 1000000, {10}},
        {"a large page alone, over the limit", {100, {50, 50, 5000, 50, 50}}, 300, {2, 1, 2}},
        {"every page over the limit", {100, {500, 500, 500}}, 300, {1, 1, 1}},
        {"growing pages", {0, {10, 20, 40, 80, 160, 320, 640}}, 200, {4, 1, 1, 1}},
        {"exactly at the limit", {0, {100, 100, 100, 100}}, 200, {2, 2}},
    };
    for (const auto& c : cases) {
        int weighings = 0;
        EXPECT_EQ(c.fitting.filePages(c.limit, weighings), c.files) << c.name;
    }
}

TEST(SizeFitting, AFileCostsAboutTwoWeighings) {
    // 1,000 pages of 3 to 5 KB sharing 60 KB, into files of 300 KB.
    Fitting fitting{60000, {}};
    for (int i = 0; i < 1000; ++i) fitting.pages.push_back(3000 + (i * 7919) % 2000);
    int weighings = 0;
    const std::vector<int> files = fitting.filePages(300000, weighings);
    EXPECT_EQ(std::accumulate(files.begin(), files.end(), 0), 1000);
    std::size_t first = 0;
    for (int pages : files) {
        EXPECT_LE(fitting.weight(first, pages), 300000);
        // The most that fit, or one page less when the next is light.
        if (first + static_cast<std::size_t>(pages) + 2 <= fitting.pages.size()) {
            EXPECT_GT(fitting.weight(first, pages + 2), 300000);
        }
        first += static_cast<std::size_t>(pages);
    }
    EXPECT_LE(weighings, static_cast<int>(files.size()) * 5 / 2) << files.size() << " files";
}

TEST(SizeFitting, AModelLearntOnLightPagesDoesNotWeighTheRestForEveryFile) {
    // 100 pages of 10 bytes, then 900 of 1,000: the light pages promise far more than fits.
    Fitting fitting{1000, std::vector<long long>(100, 10)};
    fitting.pages.resize(1000, 1000);
    int weighings = 0;
    long long weighedPages = 0;
    const std::vector<int> files = fitting.filePages(5000, weighings, weighedPages);
    EXPECT_EQ(std::accumulate(files.begin(), files.end(), 0), 1000);
    EXPECT_EQ(files[1], 4) << "then four heavy pages a file";
    EXPECT_LE(weighedPages, 4 * 1000) << "pages weighed for 1,000 pages in " << files.size() << " files";
}

}  // namespace
