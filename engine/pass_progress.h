#pragma once

#include <cstdint>
#include <functional>

namespace quillmere {

/// Counts the candidates of one search pass and says when the worker posts: the analysed
/// counter advances by 3 per candidate and a status post falls where its first increment
/// reaches a multiple of 100; a progress post falls where the whole percentage changes.
/// Runs of candidates are skipped in O(1) between those points, yet every post lands on the
/// candidate where a one-by-one walk would make it, and in the same order.
class PassProgress {
public:
    struct Events {
        std::function<void(std::int64_t analysedCount)> counter;  ///< every 100 candidates
        std::function<void(int percent)> percent;                 ///< whole percentage changed
    };

    /// `candidates` is the real number of candidates in the pass; `total` the grid formula's
    /// count that the percentage is taken of.
    PassProgress(std::int64_t candidates, double total, Events events);

    /// Counts the next `n` candidates, posting what falls among them.
    void advance(std::int64_t n) {
        if (position_ + n <= nextEvent_) {
            position_ += n;
            return;
        }
        advanceSlow(n);
    }

    std::int64_t position() const { return position_; }
    /// The analysed counter after the candidates counted so far.
    std::int64_t analysedCount() const { return 3 * position_; }

    /// Whole percentage after `done` candidates, clamped to 0..100.
    int percentAfter(std::int64_t done) const;

private:
    void advanceSlow(std::int64_t n);
    void findNextEvent();
    void findNextPercent();

    std::int64_t candidates_;
    double total_;
    Events events_;
    std::int64_t position_ = 0;  ///< candidates counted
    int lastPercent_ = 0;
    std::int64_t nextCounter_ = 0;  ///< index of the candidate of the next status post
    std::int64_t nextPercent_ = 0;  ///< index of the candidate of the next progress post
    std::int64_t nextEvent_ = 0;    ///< min of the two
};

}  // namespace quillmere
