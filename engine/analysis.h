#pragma once

#include <string_view>

#include "app/design_state.h"
#include "engine/notification.h"

/// Why "分析" did not start a worker.
enum class AnalyseRefusal {
    None,
    WorkerRunning,    ///< a worker is already held
    PowerLimit,       ///< over 6 W with the controller "----"
    RulesOutOfRange,  ///< a swept loop would not fit its 32-bit variable
};

/// The message box text of a refusal (empty for None).
std::string_view refusalMessage(AnalyseRefusal refusal);

struct AnalyseStart {
    AnalyseRefusal refusal = AnalyseRefusal::None;
    bool firstAnalysis = false;  ///< the progress bar is to be prepared (range 0..100, shown)
};

/// The window-free half of "分析", run on the form's thread after the form has been read into
/// `state`: refuses while a worker is held (before anything is cleared), clears the accepted
/// count and the shown solutions, applies the power limit and the rule range check, then
/// starts the worker in `state.analysisThread`. `sink` must outlive the worker.
AnalyseStart startAnalysis(DesignState& state, NotificationSink& sink, const Pacing& pacing);

/// After AnalysisDone: joins the finished worker and releases it.
void releaseWorker(DesignState& state);

/// Asks a running worker to stop and waits for it (it ends within milliseconds).
void stopWorker(DesignState& state);
