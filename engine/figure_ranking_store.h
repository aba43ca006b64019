#pragma once

#include <map>
#include <vector>

#include "engine/analysis_result.h"

namespace quillmere {

/// The candidate store of a search ranked by a figure (total loss or temperature rise), kept as
/// small as the fill ranking keeps its own: the `capacity` lowest distinct figures, each held by
/// the earliest record offered with it.
class FigureRankingStore {
public:
    /// Empties the store; at most `capacity` distinct figures are kept (none when ≤ 0).
    void reset(int capacity);

    /// Offers the next accepted record with its figure (lower is better; NaN is never kept);
    /// returns whether it is kept (for now).
    bool offer(double figure, const CandidateRecord& record);

    /// The kept records, lowest figure first, with their ranks.
    std::vector<Solution> ranked() const;

    std::size_t size() const { return byFigure_.size(); }

    /// A figure at or above this is refused: the highest kept when full, else +∞ (−∞ with no room).
    double entryBar() const;

private:
    int capacity_ = 0;
    std::map<double, CandidateRecord> byFigure_;
};

}  // namespace quillmere
