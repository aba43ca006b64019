#include "engine/search_steps.h"

#include <condition_variable>
#include <mutex>

namespace quillmere {

void pauseUnlessStopped(std::chrono::milliseconds duration, const std::stop_token& stop) {
    if (duration.count() <= 0) return;
    std::mutex mutex;
    std::condition_variable_any wakeUp;
    std::unique_lock lock(mutex);
    wakeUp.wait_for(lock, stop, duration, [] { return false; });
}

void announce(SearchCounters& counters, NotificationSink& sink, SearchPhase phase) {
    counters.searchPhase = static_cast<int>(phase);
    counters.phaseChanged = true;
    sink.post(Notification::AnalysisStatus);
}

}  // namespace quillmere
