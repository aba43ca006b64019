#pragma once

#include <stop_token>

#include "app/design_state.h"
#include "engine/notification.h"
#include "engine/search_setup.h"

enum class SearchEnd { Finished, Stopped };

/// The analysis worker: walks the candidate grid pass by pass, relaxing the fill threshold
/// while a pass finds nothing, then ranks the best candidates into `state.solutionRecords`
/// and posts AnalysisDone. Writes only the bookkeeping atomics, `workFrequency` and the two
/// record stores of `state`. A stop request ends it within milliseconds, without the final
/// post and with the shown list empty.
SearchEnd runAnalysis(const SearchSetup& setup, DesignState& state, NotificationSink& sink,
                      const Pacing& pacing, std::stop_token stop);
