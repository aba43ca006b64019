#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/core_context.h"
#include "engine/solution_losses.h"
#include "engine/solution_record.h"

namespace quillmere {

/// One ranked solution: its rank and the numbers of its candidate. Its texts come from
/// `solutionText` (engine/solution_record.h).
struct Solution {
    int rank = 0;  ///< 1 for the best
    CandidateRecord numbers;
    /// The catalogue core it is wound on, an index into AnalysisResult::cores; nothing: custom.
    std::optional<std::size_t> core;
    /// Losses, flux, gap and temperature rise; only on a catalogue core (a custom one shows "—").
    std::optional<SolutionLossFigures> figures;

    bool operator==(const Solution&) const = default;
};

/// What one finished analysis hands over: the ranked solutions and the final counts.
struct AnalysisResult {
    std::vector<Solution> solutions;  ///< rank order
    std::vector<CoreContext> cores;   ///< the catalogue cores searched, in catalogue order
    std::int64_t analysedCount = 0;   ///< of the last pass
    std::int64_t acceptedCount = 0;
    std::int64_t limitRejectedCount = 0;  ///< of the last pass: past a loss, ΔT or Bpk/Bsat limit
    int passNumber = 0;
};

/// Solution `selected` (0-based) of `solutions`, or nothing when there is none of that index.
inline const Solution* solutionAt(const std::vector<Solution>& solutions, std::ptrdiff_t selected) {
    if (selected < 0 || static_cast<std::size_t>(selected) >= solutions.size()) return nullptr;
    return &solutions[static_cast<std::size_t>(selected)];
}

}  // namespace quillmere
