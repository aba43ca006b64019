#pragma once

#include <chrono>
#include <stop_token>

#include "engine/notification.h"
#include "engine/search_counters.h"

// The steps a single-core search and a search over several cores share.

namespace quillmere {

/// Sleeps `duration` (the pacing of a window's analysis); a stop request cuts it short.
void pauseUnlessStopped(std::chrono::milliseconds duration, const std::stop_token& stop);

/// Sets the phase the status line shows, marks it changed and tells the sink.
void announce(SearchCounters& counters, NotificationSink& sink, SearchPhase phase);

}  // namespace quillmere
