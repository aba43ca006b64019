#pragma once

#include <optional>
#include <stop_token>
#include <vector>

#include "engine/analysis_result.h"
#include "engine/core_context.h"
#include "engine/notification.h"
#include "engine/search_counters.h"
#include "engine/search_setup.h"

namespace quillmere {

/// Threads a search over several cores runs on: the machine's two cores.
inline constexpr int kCoreSearchThreads = 2;

/// The analysis of `base` on `cores` (catalogue order):
/// - none: `base` as it is (a custom core or `base.core`), exactly runAnalysis;
/// - one: runAnalysis with that core's Ae and slot, its solutions tagged with it;
/// - several: each core an independent search (own passes, own widening, own counters) on a
///   pool of kCoreSearchThreads threads, then one ranking over all of them by the rules' rank-by
///   and limit (mergeCoreResults). `counters` carries the sums of the cores' counters while it
///   runs.
/// A stop request ends it within milliseconds with nothing.
std::optional<AnalysisResult> runCoreSearch(const SearchSetup& base, const std::vector<CoreContext>& cores,
                                            SearchCounters& counters, NotificationSink& sink,
                                            const Pacing& pacing, std::stop_token stop);

/// Ranks the single-core results `perCore` (index k searched on cores[k]) together, keeping
/// their figures, by `rules.rankBy` and within `rules.maxSolutions`:
/// - fill: the best distinct scores of the union, as the ranking store offered each core's
///   solutions in core order;
/// - loss, temperature: the lowest distinct figures of the union;
/// - volume: the smallest core's Ve first, then the fill score (distinct pairs).
/// A tie goes to the core earlier in `cores`. Counts are the sums (passes: the most any core
/// needed).
AnalysisResult mergeCoreResults(std::vector<AnalysisResult> perCore, std::vector<CoreContext> cores,
                                const RuleSet& rules);

}  // namespace quillmere
