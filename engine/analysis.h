#pragma once

#include <string_view>
#include <thread>

#include <vector>

#include "engine/core_context.h"
#include "engine/design.h"
#include "engine/notification.h"
#include "engine/search_counters.h"

namespace quillmere {

/// Why "分析" did not start a worker.
enum class AnalyseRefusal {
    None,
    WorkerRunning,    ///< a worker is already held
    PowerLimit,       ///< over 6 W with the controller "----"
    RulesOutOfRange,  ///< a swept loop would not fit its 32-bit variable
};

/// The message box text of a refusal (empty for None).
std::string_view refusalMessage(AnalyseRefusal refusal);

/// The checks of "分析" that need no window: the power limit and the rule ranges.
AnalyseRefusal checkDesign(const Design& design);

/// The analysis worker thread and the counters it writes while it runs. It works on a copy of
/// the design and hands its result over through the sink's `analysisDone`, so nothing it writes
/// is read elsewhere except the atomic counters.
class AnalysisWorker {
public:
    AnalysisWorker() = default;
    AnalysisWorker(const AnalysisWorker&) = delete;
    AnalysisWorker& operator=(const AnalysisWorker&) = delete;
    ~AnalysisWorker() { stop(); }

    /// A worker is running, or has finished and not yet been released.
    bool held() const { return thread_.joinable(); }

    /// What the worker counts; only the worker writes it (read it on its notices).
    const SearchCounters& counters() const { return counters_; }
    /// True once after each phase the worker announces: the status line shows its caption anew.
    bool takePhaseChange() { return counters_.phaseChanged.exchange(false); }
    /// Tests only: sets counts to drive a status line with.
    SearchCounters& countersForTest() { return counters_; }

    /// The window-free half of "分析": refuses while a worker is held (before anything is
    /// cleared), resets the counters, applies `checkDesign`, then starts the worker.
    /// `sink` must outlive the worker.
    AnalyseRefusal start(const Design& design, NotificationSink& sink, const Pacing& pacing);
    /// The same on the catalogue cores `cores` (runCoreSearch); none: exactly the above.
    AnalyseRefusal start(const Design& design, std::vector<CoreContext> cores, NotificationSink& sink,
                         const Pacing& pacing);

    /// After AnalysisDone: joins the finished worker and releases it.
    void release();

    /// Asks a running worker to stop and waits for it (it ends within milliseconds).
    void stop();

private:
    SearchCounters counters_;
    std::jthread thread_;  ///< last: stopped and joined before the counters go
};

}  // namespace quillmere
