#pragma once
#include <vector>

// How one document of a mix is cut into the pieces its turns take.
enum class MixMethod {
    EveryGroupOf,  // the next `count` pages
    Each,          // only the page at the `count`-th position
};

struct MixCut {
    MixMethod method = MixMethod::EveryGroupOf;
    int count = 3;
    int start = 1;  // first page position walked (0 counts as a position; the engine refuses page 0)
};

struct MixPlanInput {
    MixCut first, second;
    int pagesFirst = 0, pagesSecond = 0;
    bool reverseSecond = false;  // read the second document from its last page towards its first
};

// One turn: the pages it takes of the first and then of the second document,
// in file order. Page numbers are 1-based; a 0 (from a start page of 0) or a
// page beyond the end stays in the list and is dropped at import.
struct MixTurn {
    int number = 0;         // 1, 2, ...; a turn without pages keeps its number
    int firstPosition = 0;  // the page positions of the first document the turn spans
    int lastPosition = 0;
    std::vector<int> pagesFirst, pagesSecond;

    bool empty() const { return pagesFirst.empty() && pagesSecond.empty(); }
};

// Walks the first document position by position and yields its turns one at a
// time: the first document alone opens and closes turns (its count reached, or
// its last page); at each close the second document gives its next piece,
// starting at its start page and then again from page 1 whenever it runs out.
class MixWalk {
public:
    explicit MixWalk(const MixPlanInput& input);
    // The next turn, or false when the first document is walked to its end.
    bool next(MixTurn& turn);

private:
    void takeFromSecond(MixTurn& turn);

    MixPlanInput in_;
    long long position_;  // next position of the first document
    int turnNumber_ = 0;
    int nextSecond_;      // next position of the second document
};

// Every turn of the walk, in order.
std::vector<MixTurn> planMix(const MixPlanInput& input);
