// Worked values: tests/engine/loss_worked_values.py (mpmath, apart from the engine).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "engine/copper_loss.h"

using namespace quillmere;

namespace {

constexpr double kMm = 1e-3;

// The rms of the ramp's n-th harmonic from its Fourier integrals, by the midpoint rule.
double harmonicByIntegration(double peak, double fraction, int n) {
    constexpr int kSteps = 100000;
    const double dt = fraction / kSteps;
    double re = 0;
    double im = 0;
    for (int i = 0; i < kSteps; ++i) {
        const double t = (i + 0.5) * dt;
        const double current = peak * t / fraction;
        re += current * std::cos(2 * std::numbers::pi * n * t) * dt;
        im += current * std::sin(2 * std::numbers::pi * n * t) * dt;
    }
    return std::numbers::sqrt2 * std::hypot(re, im);
}

TEST(CopperLoss, RampHarmonicsAgainstTheirFourierIntegrals) {
    for (const double fraction : {0.1, 0.45, 0.5, 1.0}) {
        const RampHarmonics h = rampHarmonics({2.0, fraction});
        EXPECT_NEAR(h.dc, fraction, 1e-15) << fraction;
        for (int n = 1; n <= kLossHarmonics; ++n)
            EXPECT_NEAR(h.rms[n - 1], harmonicByIntegration(2.0, fraction, n), 1e-9)
                << fraction << ", n " << n;
    }
    EXPECT_NEAR(rampHarmonics({2.0, 0.45}).rms[2], 0.13861671726268421, 1e-15);
}

TEST(CopperLoss, TenHarmonicsAndDcAgainstTheRampsRms) {
    // The ramp drops to zero at once, so its harmonics fall only as 1/n: ten of them hold
    // 98.5 % of a half-period ramp's rms (97.1 % of its rms²), less for short pulses.
    const struct {
        double fraction;
        double shareOfRms2;
    } cases[] = {
        {0.1, 0.8592560971282438},
        {0.45, 0.96781957596927095},
        {0.5, 0.97105276775923566},
        {1.0, 0.98553645133874134},
    };
    for (const auto& c : cases) {
        const RampCurrent ramp{1.5, c.fraction};
        const RampHarmonics h = rampHarmonics(ramp);
        double sum = h.dc * h.dc;
        for (const double in : h.rms) sum += in * in;
        const double rms = rampRms(ramp);
        EXPECT_NEAR(rms, 1.5 * std::sqrt(c.fraction / 3), 1e-15);
        EXPECT_NEAR(sum / (rms * rms), c.shareOfRms2, 1e-12) << c.fraction;
    }
}

TEST(CopperLoss, DowellAgainstWorkedValues) {
    const struct {
        double a;
        double m;
        double fr;
    } cases[] = {
        {0, 1, 1},
        {0, 4, 1},
        {1e-6, 3, 1},
        // either side of the switch from the series to the closed form
        {0.019999, 1, 1.0000000142193779},
        {0.020001, 1, 1.0000000142250668},
        {0.019999, 3, 1.0000001564131569},
        {0.020001, 3, 1.0000001564757347},
        {0.5, 1, 1.0055423617745913},
        {0.5, 2, 1.0263231266309407},
        {0.5, 3, 1.0609577347248563},
        {1, 1, 1.0856357047503276},
        {1, 2, 1.4060090766532731},
        {1, 3, 1.9399646964915157},
        {2, 1, 1.8978064467695105},
        {2, 2, 5.1464894148462418},
        {2, 3, 10.560961028307461},
        {5, 1, 4.9993721041405275},
        {5, 2, 15.089114584848182},
        {5, 3, 31.905352052694274},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(dowellFactor(c.a, c.m) / c.fr, 1, 1e-12) << "A " << c.a << ", m " << c.m;
}

TEST(CopperLoss, DowellGrowsWithLayersAndStaysFiniteForThickWire) {
    for (const double a : {0.05, 0.3, 1.0, 3.0, 30.0}) {
        double previous = dowellFactor(a, 1);
        for (int m = 2; m <= 8; ++m) {
            const double fr = dowellFactor(a, m);
            EXPECT_GT(fr, previous) << "A " << a << ", m " << m;
            previous = fr;
        }
    }
    // Far past the skin depth both ratios tend to 1: Fr → A·(1 + 2(m²−1)/3).
    EXPECT_NEAR(dowellFactor(800, 2), 800 * 3, 1e-9);
}

TEST(CopperLoss, SkinDepthAndPenetration) {
    // Copper at 20 °C and 100 kHz: δ = 0.209 mm.
    EXPECT_NEAR(skinDepth(copperResistivity(20), 100000), 2.0897837969378229e-4, 1e-18);
    EXPECT_NEAR(copperResistivity(100) / 1.7241e-8, 1.3144, 1e-12);
    EXPECT_NEAR(penetrationRatio(0.5 * kMm, 0.5 * kMm, 0.25 * kMm), 2 * 0.83429071647955156, 1e-15);
}

std::array<WindingBuild, 2> twoWindings() {
    WindingBuild primary;
    primary.turns = 60;
    primary.bareDiameter = 0.25 * kMm;
    primary.insulatedDiameter = 0.28 * kMm;
    primary.layers = 2;
    primary.build = 0.6 * kMm;
    primary.tapeBelow = 0.05 * kMm;
    WindingBuild secondary;
    secondary.role = CopperRole::secondary;
    secondary.turns = 8;
    secondary.bareDiameter = 0.4 * kMm;
    secondary.insulatedDiameter = 0.44 * kMm;
    secondary.strands = 3;
    secondary.build = 0.4 * kMm;
    secondary.tapeBelow = 0.1 * kMm;
    return {primary, secondary};
}

TEST(CopperLoss, TurnLengthsAndResistancesOfKnownWindings) {
    const CopperConditions still{50000, 100, {}, {}};
    TurnColumn round;
    round.radius = 4.5 * kMm;
    const CopperLosses onRound = copperLosses(round, twoWindings(), still);
    ASSERT_EQ(onRound.windingCount, 2U);
    EXPECT_NEAR(onRound.windings[0].turnLength, 0.030473448739820994, 1e-15);
    EXPECT_NEAR(onRound.windings[0].resistance20, 0.642192768, 1e-12);
    EXPECT_NEAR(onRound.windings[0].resistance, 0.8440981742592, 1e-12);
    EXPECT_EQ(onRound.primaryResistance20, onRound.windings[0].resistance20);

    TurnColumn rectangular;
    rectangular.shape = TurnColumn::Shape::rectangular;
    rectangular.width = 10 * kMm;
    rectangular.depth = 6 * kMm;
    const CopperLosses onRectangle = copperLosses(rectangular, twoWindings(), still);
    EXPECT_NEAR(onRectangle.windings[1].turnLength, 0.037969026041820607, 1e-15);
    EXPECT_NEAR(onRectangle.windings[1].resistance20, 0.013891552261748768, 1e-14);
    EXPECT_EQ(onRectangle.secondaryResistance20, onRectangle.windings[1].resistance20);
    // No current: nothing is lost.
    EXPECT_EQ(onRectangle.totalLoss, 0);
}

TEST(CopperLoss, AtLowFrequencyTheLossIsTheDcLossOfTheWholeRms) {
    // The harmonics beyond the tenth still heat the copper: at Fr = 1 the loss must be Rdc·Irms²,
    // even for a short pulse whose first ten harmonics hold only 86 % of its rms².
    TurnColumn round;
    round.radius = 4.5 * kMm;
    for (const double fraction : {0.1, 0.5}) {
        const CopperConditions slow{1e-3, 100, {2.0, fraction}, {6.0, fraction}};
        const CopperLosses losses = copperLosses(round, twoWindings(), slow);
        for (std::size_t i = 0; i < 2; ++i) {
            const WindingLoss& w = losses.windings[i];
            EXPECT_NEAR(w.loss / (w.resistance * w.rms * w.rms), 1, 1e-12) << fraction << ", winding " << i;
        }
        EXPECT_NEAR(losses.primaryRms, 2.0 * std::sqrt(fraction / 3), 1e-15);
    }
}

TEST(CopperLoss, FaultsOfAWindingList) {
    const auto with = [](auto change) {
        std::array<WindingBuild, 2> list = twoWindings();
        change(list[1]);
        return list;
    };
    const struct {
        const char* what;
        std::array<WindingBuild, 2> windings;
        WindingFault fault;
    } cases[] = {
        {"sound", twoWindings(), WindingFault::none},
        {"negative turns", with([](WindingBuild& w) { w.turns = -1; }), WindingFault::turnsNegative},
        {"NaN turns", with([](WindingBuild& w) { w.turns = std::nan(""); }), WindingFault::turnsNegative},
        {"no copper", with([](WindingBuild& w) { w.bareDiameter = 0; }),
         WindingFault::bareDiameterNotPositive},
        {"enamel thinner than nothing", with([](WindingBuild& w) { w.insulatedDiameter = 0.3 * kMm; }),
         WindingFault::insulatedDiameterTooSmall},
        {"no strands", with([](WindingBuild& w) { w.strands = 0; }), WindingFault::strandsNotPositive},
        {"half a layer", with([](WindingBuild& w) { w.layers = 0.5; }), WindingFault::layersBelowOne},
        {"no turns need no layer", with([](WindingBuild& w) {
             w.turns = 0;
             w.layers = 0;
         }),
         WindingFault::none},
        {"negative tape", with([](WindingBuild& w) { w.tapeBelow = -0.1; }), WindingFault::buildNegative},
        {"infinite build", with([](WindingBuild& w) { w.build = std::numeric_limits<double>::infinity(); }),
         WindingFault::buildNegative},
    };
    for (const auto& c : cases) {
        std::size_t index = 99;
        EXPECT_EQ(checkWindings(c.windings, index), c.fault) << c.what;
        if (c.fault != WindingFault::none) {
            EXPECT_EQ(index, 1U) << c.what;
        }
    }
    const std::array<WindingBuild, kMaxWindings + 1> tooMany{};
    std::size_t index = 0;
    EXPECT_EQ(checkWindings(tooMany, index), WindingFault::tooManyWindings);
}

}  // namespace
