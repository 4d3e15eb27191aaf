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
    // Whether the weighing before fit (1) or overflowed (-1), once both bounds are known.
    int sideBefore = 0;
    int pages = model.pagesWithin(static_cast<double>(limit));
    // A model learnt on other pages may be far off: the first guess takes at
    // most twice the pages of the file before, so that a wrong guess does
    // not weigh the whole rest of the document for every file.
    if (model.pagesBefore() > 0) pages = std::min(pages, 2 * model.pagesBefore() + 1);
    pages = std::clamp(pages, 1, available);
    for (;;) {
        const long long size = weigh(pages);
        model.learn(pages, size, lastPages, lastSize);
        lastPages = pages;
        lastSize = size;
        if (size <= limit)
            fits = pages;
        else
            overflows = pages;
        if (fits == 0 && overflows == 1) {
            model.filed(1);
            return 1;
        }
        if (fits + 1 >= overflows) break;
        const int guess = model.pagesWithin(static_cast<double>(limit));
        // Guesses that land twice on the same side of the limit creep
        // towards it, as a straight line through pages of other weights
        // does: the next count is then the middle between the bounds, so
        // that the search ends in few steps whatever the pages weigh.
        const int side = size <= limit ? 1 : -1;
        const bool bounded = overflows <= available;
        const bool bisect = bounded && fits > 0 && side == sideBefore;
        sideBefore = bounded ? side : 0;
        // Grow while the model allows more pages (one page more when it has
        // no slope yet, to learn one); once a count is known to overflow,
        // find the last that fits below it.
        if (size <= limit && guess <= fits && model.sloped() && overflows > available) break;
        pages = bisect ? fits + (overflows - fits) / 2 : std::clamp(guess, fits + 1, overflows - 1);
    }
    model.filed(fits);
    return fits;
}
