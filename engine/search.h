#pragma once

#include <optional>
#include <stop_token>

#include "engine/analysis_result.h"
#include "engine/notification.h"
#include "engine/search_counters.h"
#include "engine/search_setup.h"

namespace quillmere {

/// The analysis itself: walks the candidate grid pass by pass, relaxing the fill threshold
/// while a pass finds nothing, then ranks the best candidates. Writes only `counters` while it
/// runs and posts their changes to `sink`. A stop request ends it within milliseconds with
/// nothing; otherwise it returns the ranked solutions and the final counts.
std::optional<AnalysisResult> runAnalysis(const SearchSetup& setup, SearchCounters& counters,
                                          NotificationSink& sink, const Pacing& pacing, std::stop_token stop);

/// Analyses `design` now, on the calling thread, without pauses and without a window; `sink`
/// hears the progress written to `counters`, and a stop request ends it with nothing. The design
/// is not checked first: see `checkDesign`.
std::optional<AnalysisResult> analyseNow(const Design& design, NotificationSink& sink,
                                         SearchCounters& counters, std::stop_token stop);
/// The same, heard by nobody and never stopped.
AnalysisResult analyseNow(const Design& design);

}  // namespace quillmere
