#include "app/design_state.h"

void DesignState::discardResults() {
    worker.counters().acceptedCount = 0;
    worker.counters().analysedCount = 0;
    selectedSolution = 0;
    results = {};
    rules.ccMode = true;
}
