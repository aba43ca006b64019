#pragma once

#include <chrono>
#include <string_view>

#include "engine/analysis_result.h"

namespace quillmere {

/// What the worker tells the form; the numbers are the form's message numbers.
enum class Notification : int {
    AnalysisDone = 1124,      ///< ranked, the worker ends
    AnalysisStatus = 1125,    ///< counts changed; with phaseChanged set, the captions too
    FillResults = 1132,       ///< the form's own: fill the result table
    AnalysisProgress = 1144,  ///< progressPercent changed
};

/// Receives the worker's notifications. Called on the worker thread: an implementation only
/// queues; the counters are read when the queued call runs.
class NotificationSink {
public:
    virtual ~NotificationSink() = default;
    virtual void post(Notification notification) = 0;
    /// The two captions the worker writes into the status line as it starts.
    virtual void setStatusText(std::string_view text) = 0;
    /// AnalysisDone: the worker's last call, handing its result over.
    virtual void analysisDone(AnalysisResult result) = 0;
};

/// A sink that hears nothing: for an analysis nobody watches (command lines, tests, benches).
class NullSink final : public NotificationSink {
public:
    void post(Notification) override {}
    void setStatusText(std::string_view) override {}
    void analysisDone(AnalysisResult) override {}
};

/// The worker's deliberate pauses, so that an engineer can read each start-up caption. The
/// form uses `interactive()`; the command line, tests and benchmarks run flat out.
struct Pacing {
    std::chrono::milliseconds startPause{0};    ///< after each start-up step
    std::chrono::milliseconds extractPause{0};  ///< before ranking

    static Pacing interactive() { return {std::chrono::milliseconds(400), std::chrono::milliseconds(800)}; }
    static Pacing none() { return {}; }
};

}  // namespace quillmere
