#pragma once
#include <functional>

// How the finished size of a file grows with its pages: a fixed part (what
// the pages share, the document's own objects) and a part per page, learnt
// from the files weighed so far.
class SizeModel {
public:
    // The most pages the model expects within bytes, at least 1.
    int pagesWithin(double bytes) const;
    // Whether two weighings of different page counts have shown how much a
    // page adds.
    bool sloped() const { return sloped_; }
    // A file of pages pages weighed size bytes; earlier, a file of
    // otherPages weighed otherSize (otherPages 0 when there is none).
    void learn(int pages, long long size, int otherPages, long long otherSize);
    // The pages the file before took, 0 before the first.
    int pagesBefore() const { return pagesBefore_; }
    void filed(int pages) { pagesBefore_ = pages; }

private:
    double fixed_ = 0;
    double perPage_ = 0;  // 0 until a file has been weighed
    bool sloped_ = false;
    int pagesBefore_ = 0;
};

// The most pages, from 1 to available, that one file takes while its size
// stays within limit, weighing candidate files with weigh(pages) (which makes
// the file and returns its size). The model's guess is weighed first (at
// most twice the pages of the file before); a fit grows the file while the
// model allows more pages, an overflow backs off until the largest count that
// fits is next to the smallest that does not, by the model's guesses and by
// halving where they creep. A good guess costs one or two weighings. A single page over the limit gives 1: the caller
// learns that from its weight. The file of the returned count was weighed,
// and each file weighed within the limit is larger than those before, so the
// caller keeps the last one that fit.
int fitPages(int available, long long limit, SizeModel& model, const std::function<long long(int)>& weigh);
