#include "engine/figure_ranking_store.h"

#include <cmath>
#include <iterator>

namespace quillmere {

void FigureRankingStore::reset(int capacity) {
    capacity_ = capacity;
    byFigure_.clear();
}

bool FigureRankingStore::offer(double figure, const CandidateRecord& record) {
    if (capacity_ <= 0 || std::isnan(figure)) return false;
    const bool full = byFigure_.size() >= static_cast<std::size_t>(capacity_);
    if (full && figure >= byFigure_.rbegin()->first) return false;
    const auto [it, inserted] = byFigure_.try_emplace(figure, record);  // an earlier tie wins
    if (!inserted) return false;
    if (byFigure_.size() > static_cast<std::size_t>(capacity_)) byFigure_.erase(std::prev(byFigure_.end()));
    return true;
}

double FigureRankingStore::entryBar() const {
    if (capacity_ <= 0) return -HUGE_VAL;
    if (byFigure_.size() < static_cast<std::size_t>(capacity_)) return HUGE_VAL;
    return byFigure_.rbegin()->first;
}

std::vector<Solution> FigureRankingStore::ranked() const {
    std::vector<Solution> solutions;
    solutions.reserve(byFigure_.size());
    int rank = 1;
    for (const auto& [figure, record] : byFigure_)
        solutions.push_back({rank++, record, std::nullopt, std::nullopt});
    return solutions;
}

}  // namespace quillmere
