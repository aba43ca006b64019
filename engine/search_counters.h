#pragma once

#include <atomic>
#include <cstdint>

namespace quillmere {

/// Search phase as the status line shows it.
enum class SearchPhase : int { Searching = 0, Widened = 1, Extracting = 2 };

/// What the worker counts while it runs: written by the worker, read by the form's status line
/// at any time, hence atomics.
struct SearchCounters {
    std::atomic<std::int64_t> analysedCount{0};  ///< 3 per candidate of the current pass
    std::atomic<std::int64_t> acceptedCount{0};
    std::atomic<int> progressPercent{0};
    std::atomic<int> searchPhase{0};  ///< a SearchPhase value
    std::atomic<int> passNumber{0};
    std::atomic<bool> phaseChanged{false};

    /// Back to a fresh worker's counts, so that nothing of the last analysis shows in the next.
    void reset() {
        analysedCount = 0;
        acceptedCount = 0;
        progressPercent = 0;
        searchPhase = static_cast<int>(SearchPhase::Searching);
        passNumber = 0;
        phaseChanged = false;
    }
};

}  // namespace quillmere
