#pragma once

#include <functional>
#include <map>
#include <vector>

#include "engine/analysis_result.h"

namespace quillmere {

/// The raw candidate store, kept as small as the ranking allows: the shown list holds the
/// records of the `capacity` greatest distinct scores above 0 (a score compared as the float
/// its text reads back as), each represented by the earliest record offered with it. Offering
/// the records in grid order therefore yields exactly the list a full store would rank to.
class RankingStore {
public:
    /// Empties the store; at most `capacity` distinct scores are kept (none when ≤ 0).
    void reset(int capacity);

    /// Offers the next accepted record; returns whether it is kept (for now).
    bool offer(const CandidateRecord& record);

    /// The kept records, best first, with their ranks.
    std::vector<Solution> ranked() const;

    std::size_t size() const { return byScore_.size(); }
    bool empty() const { return byScore_.empty(); }

private:
    int capacity_ = 0;
    std::map<float, CandidateRecord, std::greater<>> byScore_;
};

}  // namespace quillmere
