#include "engine/air_gap.h"

#include <cmath>
#include <numbers>

namespace quillmere {

namespace {

constexpr double kMu0 = 4e-7 * std::numbers::pi;  // H/m

// Bisection stops when the bracket is this share of the window height: 30 halvings.
constexpr double kRelativeTolerance = 1e-9;

}  // namespace

const char* noGapReasonText(NoGapReason reason) {
    switch (reason) {
        case NoGapReason::none:
            return "gap found";
        case NoGapReason::aboveUngappedCore:
            return "inductance above the ungapped core's";
        case NoGapReason::beyondHalfWindow:
            return "gap beyond half the window";
    }
    return "unknown gap reason";
}

double gapReluctance(const GapCore& core, double gap) {
    if (gap <= 0) return 0;
    const double inner = gap / (kMu0 * core.centreLegArea);
    const double h = core.windowHeight - gap / 2;
    const double fringe = std::numbers::pi / (kMu0 * core.centreLegPerimeter * std::log((2 * h + gap) / gap));
    return inner * fringe / (inner + fringe);
}

double coreReluctance(const GapCore& core) {
    return core.effectiveLength / (kMu0 * core.permeability * core.effectiveArea);
}

AirGap airGap(const GapCore& core, double inductance, double turns) {
    AirGap result;
    result.inductanceFactor = inductance / (turns * turns);
    result.firstOrderLength =
        kMu0 * core.centreLegArea * turns * turns / inductance - core.effectiveLength / core.permeability;
    // Rgap rises from 0 without bound as lg nears 2·hw, so the root on (0, hw] is unique.
    const double wanted = turns * turns / inductance - coreReluctance(core);
    if (!(wanted > 0)) {
        result.reason = NoGapReason::aboveUngappedCore;
        return result;
    }
    double high = core.windowHeight;
    if (gapReluctance(core, high) < wanted) {
        result.reason = NoGapReason::beyondHalfWindow;
        return result;
    }
    // Fringing only lowers the reluctance: the gap without it is a lower bound.
    double low = kMu0 * core.centreLegArea * wanted;
    const double tolerance = kRelativeTolerance * core.windowHeight;
    while (high - low > tolerance) {
        const double middle = (low + high) / 2;
        if (gapReluctance(core, middle) < wanted)
            low = middle;
        else
            high = middle;
    }
    result.length = (low + high) / 2;
    return result;
}

}  // namespace quillmere
