#include "engine/pass_progress.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace quillmere {

namespace {

constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max() / 4;

// The candidate whose first increment makes the counter (3c + 1) a multiple of 100: c ≡ 33 (mod 100).
std::int64_t nextCounterCandidate(std::int64_t from) {
    const std::int64_t offset = ((33 - from) % 100 + 100) % 100;
    return from + offset;
}

}  // namespace

PassProgress::PassProgress(std::int64_t candidates, double total, Events events)
    : candidates_(candidates), total_(total), events_(std::move(events)) {
    findNextPercent();
    findNextEvent();
}

int PassProgress::percentAfter(std::int64_t done) const {
    const double p = static_cast<double>(done) * 100 / total_;
    if (!(p > 0)) return 0;  // also a total of 0 or NaN
    if (p >= 100) return 100;
    return static_cast<int>(p);
}

void PassProgress::findNextEvent() {
    nextCounter_ = nextCounterCandidate(position_);
    if (nextCounter_ >= candidates_) nextCounter_ = kNever;
    nextEvent_ = std::min(nextCounter_, nextPercent_);
}

void PassProgress::findNextPercent() {
    // The percentage never falls as candidates are done, so the first change is found by
    // bisection over the rest of the pass.
    nextPercent_ = kNever;
    if (position_ < candidates_ && percentAfter(candidates_) != lastPercent_) {
        std::int64_t lo = position_;  // candidate index; done = index + 1
        std::int64_t hi = candidates_ - 1;
        while (lo < hi) {
            const std::int64_t mid = lo + (hi - lo) / 2;
            if (percentAfter(mid + 1) != lastPercent_)
                hi = mid;
            else
                lo = mid + 1;
        }
        nextPercent_ = lo;
    }
}

void PassProgress::advanceSlow(std::int64_t n) {
    const std::int64_t end = position_ + n;
    while (nextEvent_ < end) {
        const std::int64_t at = nextEvent_;
        if (nextCounter_ == at) events_.counter(3 * at + 1);
        position_ = at + 1;
        if (nextPercent_ == at) {
            lastPercent_ = percentAfter(at + 1);
            events_.percent(lastPercent_);
            findNextPercent();
        }
        findNextEvent();
    }
    position_ = end;
}

}  // namespace quillmere
