#include "engine/ranking_store.h"

#include "engine/number_text.h"

namespace quillmere {

void RankingStore::reset(int capacity) {
    capacity_ = capacity;
    byScore_.clear();
}

bool RankingStore::offer(const CandidateRecord& record) {
    if (capacity_ <= 0) return false;
    const bool full = byScore_.size() >= static_cast<std::size_t>(capacity_);
    // The text of a score is within 5e-7 of it (relative), so a score this far below the
    // smallest kept one cannot enter: skip the exact rounding for the many that do not.
    if (full &&
        static_cast<double>(record.score) < static_cast<double>(byScore_.rbegin()->first) * (1 - 2e-6)) {
        return false;
    }
    const float key = storedScore(record.score);
    if (!(key > 0.0f)) return false;  // never chosen: the ranking starts from a best of 0
    if (full && key <= byScore_.rbegin()->first) return false;
    const auto [it, inserted] = byScore_.try_emplace(key, record);  // an earlier tie wins
    if (!inserted) return false;
    if (byScore_.size() > static_cast<std::size_t>(capacity_)) byScore_.erase(std::prev(byScore_.end()));
    return true;
}

std::vector<Solution> RankingStore::ranked() const {
    std::vector<Solution> solutions;
    solutions.reserve(byScore_.size());
    int rank = 1;
    for (const auto& [key, record] : byScore_)
        solutions.push_back({rank++, record, std::nullopt, std::nullopt});
    return solutions;
}

}  // namespace quillmere
