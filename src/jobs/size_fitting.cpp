#include "jobs/size_fitting.h"

#include <algorithm>
#include <cmath>

int SizeModel::pagesWithin(double bytes) const {
    if (perPage_ <= 0) return 1;
    const double pages = std::floor((bytes - fixed_) / perPage_);
    return pages < 1 ? 1 : pages > 1e9 ? 1000000000 : static_cast<int>(pages);
}

void SizeModel::learn(int pages, long long size, int otherPages, long long otherSize) {
    const double weight = static_cast<double>(size);
    if (otherPages > 0 && otherPages != pages) {
        const double slope = (weight - static_cast<double>(otherSize)) / (pages - otherPages);
        if (slope > 0) perPage_ = slope;
        sloped_ = sloped_ || slope > 0;
    }
    // Without a slope, the pages are taken to carry all the weight.
    if (!sloped_) perPage_ = weight / pages;
    fixed_ = weight - perPage_ * pages;
}

int fitPages(int available, long long limit, SizeModel& model, const std::function<long long(int)>& weigh) {
    int fits = 0, overflows = available + 1;  // the largest count known to fit, the smallest known not to
    int lastPages = 0;
    long long lastSize = 0;
    int pages = std::clamp(model.pagesWithin(static_cast<double>(limit)), 1, available);
    for (;;) {
        const long long size = weigh(pages);
        model.learn(pages, size, lastPages, lastSize);
        lastPages = pages;
        lastSize = size;
        if (size <= limit)
            fits = pages;
        else
            overflows = pages;
        if (fits == 0 && overflows == 1) return 1;
        if (fits + 1 >= overflows) break;
        const int guess = model.pagesWithin(static_cast<double>(limit));
        if (size <= limit) {
            // Grow while the model allows more pages (one page more when it
            // has no slope yet, to learn one); once a count is known to
            // overflow, find the last that fits below it.
            if (guess <= fits && model.sloped() && overflows > available) break;
            pages = std::clamp(guess, fits + 1, overflows - 1);
        } else {
            pages = std::clamp(guess, fits + 1, overflows - 1);
        }
    }
    return fits;
}
