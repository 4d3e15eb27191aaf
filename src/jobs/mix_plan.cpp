#include "jobs/mix_plan.h"

MixWalk::MixWalk(const MixPlanInput& input) : in_(input), position_(input.first.start), nextSecond_(input.second.start) {}

bool MixWalk::next(MixTurn& turn) {
    if (position_ > in_.pagesFirst) return false;
    turn = MixTurn{};
    turn.number = ++turnNumber_;
    turn.firstPosition = static_cast<int>(position_);
    const MixCut& cut = in_.first;
    for (int k = 1;; ++k) {
        const int q = static_cast<int>(position_++);
        if (cut.method == MixMethod::EveryGroupOf || k == cut.count) turn.pagesFirst.push_back(q);
        if (k == cut.count || q == in_.pagesFirst) {
            turn.lastPosition = q;
            break;
        }
    }
    takeFromSecond(turn);
    return true;
}

void MixWalk::takeFromSecond(MixTurn& turn) {
    const MixCut& cut = in_.second;
    const int pages = in_.pagesSecond;
    int consumed = 0;
    for (int r = nextSecond_; r <= pages && consumed < cut.count; ++r) {
        ++consumed;
        if (cut.method == MixMethod::EveryGroupOf || consumed == cut.count)
            turn.pagesSecond.push_back(in_.reverseSecond ? pages + 1 - r : r);
    }
    nextSecond_ += consumed;
    if (nextSecond_ > pages) nextSecond_ = 1;
}

std::vector<MixTurn> planMix(const MixPlanInput& input) {
    std::vector<MixTurn> turns;
    MixWalk walk(input);
    MixTurn turn;
    while (walk.next(turn)) turns.push_back(std::move(turn));
    return turns;
}
