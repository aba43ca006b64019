// Worked values: tests/engine/loss_worked_values.py (mpmath findroot, apart from the engine).
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "engine/air_gap.h"

using namespace quillmere;

namespace {

constexpr double kMu0 = 4e-7 * std::numbers::pi;

// An E 25-like set: Ae = Ac = 52.5 mm², le = 57.5 mm, C = 29 mm, hw = 6.2 mm, µi = 2000.
GapCore core() {
    return {52.5e-6, 57.5e-3, 52.5e-6, 29e-3, 6.2e-3, 2000};
}

// The inductance of Np turns on the core with gap lg, from the reluctances written out again.
double inductanceThrough(const GapCore& c, double turns, double gap) {
    const double coreReluctance = c.effectiveLength / (kMu0 * c.permeability * c.effectiveArea);
    const double inner = gap / (kMu0 * c.centreLegArea);
    const double fringe =
        std::numbers::pi / (kMu0 * c.centreLegPerimeter * std::log(2 * c.windowHeight / gap));
    return turns * turns / (coreReluctance + 1 / (1 / inner + 1 / fringe));
}

TEST(AirGap, FringingGapAgainstWorkedRootsAndBackToTheInductance) {
    const struct {
        double inductance;
        double turns;
        double gap;
        double firstOrder;
    } cases[] = {
        {600e-6, 60, 0.00046574716758532732, 0.00036709067435231393},
        {1.3e-3, 131, 0.0012708197602613637, 0.00084215023237949479},
    };
    for (const auto& c : cases) {
        const AirGap gap = airGap(core(), c.inductance, c.turns);
        ASSERT_EQ(gap.reason, NoGapReason::none) << c.inductance;
        EXPECT_NEAR(gap.length, c.gap, 1e-11) << c.inductance;
        EXPECT_NEAR(gap.firstOrderLength, c.firstOrder, 1e-15) << c.inductance;
        // Fringing widens the path: the gap must be longer than without it.
        EXPECT_GT(gap.length, gap.firstOrderLength * 1.2) << c.inductance;
        EXPECT_NEAR(inductanceThrough(core(), c.turns, gap.length) / c.inductance, 1, 1e-7) << c.inductance;
        EXPECT_NEAR(gap.inductanceFactor, c.inductance / (c.turns * c.turns), 1e-20);
    }
}

TEST(AirGap, NoGapWhenTheCoreCannotGiveTheInductance) {
    const struct {
        const char* what;
        double inductance;
        double turns;
        NoGapReason reason;
    } cases[] = {
        // the ungapped set gives 60 turns 8.26 mH
        {"above the ungapped core", 10e-3, 60, NoGapReason::aboveUngappedCore},
        {"just below it", 8.2e-3, 60, NoGapReason::none},
        // a gap of hw still leaves 53.5 MH⁻¹ of reluctance; 10 turns at 1 µH need 100
        {"beyond half the window", 1e-6, 10, NoGapReason::beyondHalfWindow},
        {"within it", 2e-6, 10, NoGapReason::none},
    };
    for (const auto& c : cases) {
        const AirGap gap = airGap(core(), c.inductance, c.turns);
        EXPECT_EQ(gap.reason, c.reason) << c.what;
        if (gap.reason == NoGapReason::none) {
            EXPECT_GT(gap.length, 0) << c.what;
            EXPECT_LE(gap.length, core().windowHeight) << c.what;
        }
    }
}

TEST(AirGap, ReluctanceRisesFromZeroWithTheGap) {
    EXPECT_EQ(gapReluctance(core(), 0), 0);
    double previous = 0;
    for (double gap = 1e-6; gap <= 6.2e-3; gap *= 1.5) {
        const double r = gapReluctance(core(), gap);
        EXPECT_GT(r, previous) << gap;
        EXPECT_LT(r, gap / (kMu0 * 52.5e-6)) << gap;  // fringing only ever lowers it
        previous = r;
    }
}

}  // namespace
