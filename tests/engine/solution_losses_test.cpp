// Worked values: tests/engine/loss_worked_values.py (mpmath, apart from the engine).
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <vector>

#include "engine/solution_losses.h"

using namespace quillmere;

namespace {

constexpr double kMm = 1e-3;

constexpr std::array<SteinmetzRange, 3> kN27 = {{
    {1.0, 100000.0, 15003.3, 1.22528, 2.57602, 0.00488149, 8.36579e-05, 4.7572e-07},
    {100000.0, 300000.0, 21.6825, 1.75723, 2.59381, 0.00602201, 9.78727e-05, 5.78518e-07},
    {300000.0, 10000000.0, 0.00242521, 2.29727, 2.42844, 0.0203985, 0.000188212, 1.42965e-06},
}};

FerriteFigures n27() {
    return {0.5028, 0.4109, 1812.0, 3230.0, kN27};
}

WindingBuild winding(CopperRole role, double turns, double bare, double insulated, int strands, double layers,
                     double build) {
    WindingBuild w;
    w.role = role;
    w.turns = turns;
    w.bareDiameter = bare * kMm;
    w.insulatedDiameter = insulated * kMm;
    w.strands = strands;
    w.layers = layers;
    w.build = build * kMm;
    w.tapeBelow = 0.1 * kMm;
    return w;
}

// 10 W at 66 kHz on an E 25-like set of N27 with a 4 mm round column, 100 °C.
SolutionLossInputs workedSolution() {
    SolutionLossInputs in;
    in.inductance = 600e-6;
    in.primaryPeak = 0.9;
    in.secondaryPeak = 4.5;
    in.onFraction = 0.42;
    in.offFraction = 0.45;
    in.frequency = 66000;
    in.temperature = 100;
    in.outputPower = 10;
    in.core = {52.5e-6, 57.5e-3, 3020e-9, 52.5e-6, 29e-3, 6.2e-3, {}};
    in.core.column.radius = 4 * kMm;
    in.windings[0] = winding(CopperRole::primary, 60, 0.3, 0.34, 1, 2, 0.7);
    in.windings[1] = winding(CopperRole::secondary, 12, 0.6, 0.65, 2, 1, 0.65);
    in.windings[2] = winding(CopperRole::auxiliary, 10, 0.2, 0.23, 1, 1, 0.23);
    in.windingCount = 3;
    return in;
}

TEST(SolutionLosses, EveryFigureOfAWorkedSolution) {
    const SolutionLossResult result = solutionLosses(workedSolution(), n27());
    ASSERT_EQ(result.fault, LossInputFault::none) << lossInputFaultText(result.fault);
    const SolutionLossFigures& f = result.figures;
    const struct {
        const char* name;
        double value;
        double expected;
    } figures[] = {
        {"Bpk mT", f.bpkMt, 171.42857142857143},
        {"Bsat mT", f.bsatMt, 410.9},
        {"Bpk/Bsat %", f.bpkOfBsatPct, 41.72026561902444147},
        {"Pv kW/m3", f.coreLossDensityKwPerM3, 27.259939915591674},
        {"Pcore W", f.coreLossW, 0.082325018545086855},
        {"Pcu primary W", f.primaryCopperLossW, 0.10242462696110398},
        {"Pcu secondary W", f.secondaryCopperLossW, 0.082734328587791061},
        {"Pcu W", f.copperLossW, 0.10242462696110398 + 0.082734328587791061},
        {"primary rms A", f.primaryRmsA, 0.33674916480965472},
        {"secondary rms A", f.secondaryRmsA, 1.7428425057933376},
        {"primary DCR", f.primaryDcrOhm, 0.4091864},
        {"secondary DCR", f.secondaryDcrOhm, 0.01201123},
        {"aux DCR", f.auxDcrOhm, 0.19878873},
        {"dT K", f.temperatureRiseK, 7.8049457262954511},
        {"efficiency %", f.efficiencyPct, 97.394844006877692},
        {"gap mm", f.gapMm, 0.48209888077048558},
        {"spacer mm", f.spacerMm, 0.48209888077048558 / 2},
        {"AL nH", f.alNhPerTurn2, 600e3 / 3600},
        {"first-order gap mm", f.firstOrderGapMm, 0.37803881676717461},
    };
    for (const auto& figure : figures) EXPECT_NEAR(figure.value / figure.expected, 1, 1e-8) << figure.name;
    EXPECT_EQ(f.noGap, NoGapReason::none);
    EXPECT_TRUE(f.gapComputed);
    EXPECT_EQ(f.copper.windings[2].loss, 0);  // the feedback winding's current is not known
}

TEST(SolutionLosses, ASandwichedPrimaryCountsBothHalves) {
    SolutionLossInputs sandwich = workedSolution();
    sandwich.windings[0] = winding(CopperRole::primary, 30, 0.3, 0.34, 1, 1, 0.35);
    sandwich.windings[2] = winding(CopperRole::primary, 30, 0.3, 0.34, 1, 1, 0.35);
    sandwich.windings[3] = winding(CopperRole::auxiliary, 10, 0.2, 0.23, 1, 1, 0.23);
    sandwich.windingCount = 4;
    const SolutionLossResult plain = solutionLosses(workedSolution(), n27());
    const SolutionLossResult split = solutionLosses(sandwich, n27());
    ASSERT_EQ(split.fault, LossInputFault::none);
    EXPECT_EQ(split.figures.bpkMt, plain.figures.bpkMt);
    EXPECT_EQ(split.figures.gapMm, plain.figures.gapMm);
    const CopperLosses& c = split.figures.copper;
    EXPECT_EQ(c.primaryResistance20, c.windings[0].resistance20 + c.windings[2].resistance20);
    EXPECT_EQ(c.primaryLoss, c.windings[0].loss + c.windings[2].loss);
    // The outer half lies further out: longer turns.
    EXPECT_GT(c.windings[2].turnLength, c.windings[0].turnLength);
    // Two one-layer halves suffer less proximity loss than one two-layer winding.
    EXPECT_LT(c.primaryLoss / c.primaryResistance20,
              plain.figures.copper.primaryLoss / plain.figures.primaryDcrOhm);
}

TEST(SolutionLosses, WithoutTheGapTheOtherFiguresStayTheSame) {
    const SolutionLossResult all = solutionLosses(workedSolution(), n27());
    const SolutionLossResult ranking = solutionLosses(workedSolution(), n27(), LossScope::withoutGap);
    ASSERT_EQ(ranking.fault, LossInputFault::none);
    EXPECT_FALSE(ranking.figures.gapComputed);
    EXPECT_EQ(ranking.figures.gapMm, 0);
    EXPECT_EQ(ranking.figures.temperatureRiseK, all.figures.temperatureRiseK);
    EXPECT_EQ(ranking.figures.efficiencyPct, all.figures.efficiencyPct);
    EXPECT_EQ(ranking.figures.bpkOfBsatPct, all.figures.bpkOfBsatPct);
}

TEST(SolutionLosses, TemperatureRiseAndEfficiency) {
    EXPECT_NEAR(temperatureRise(1, 5e-6), 22.224503486549973, 1e-12);
    EXPECT_NEAR(temperatureRise(2.5, 0.8e-6), 149.46767715533411, 1e-11);
    EXPECT_EQ(temperatureRise(0, 5e-6), 0);
    EXPECT_EQ(efficiency(10, 0), 1);
    EXPECT_EQ(efficiency(9, 1), 0.9);
    EXPECT_EQ(efficiency(0, 0), 0);
}

TEST(SolutionLosses, APrecomputedFerriteMustMatchThePoint) {
    const SolutionLossInputs in = workedSolution();
    const FerriteAtPoint point = ferriteAt(n27(), in.frequency, in.temperature);
    EXPECT_EQ(solutionLosses(in, point).figures.coreLossW, solutionLosses(in, n27()).figures.coreLossW);
    EXPECT_EQ(solutionLosses(in, ferriteAt(n27(), 67000, 100)).fault,
              LossInputFault::ferriteMadeForAnotherPoint);
    EXPECT_EQ(solutionLosses(in, ferriteAt(n27(), 66000, 90)).fault,
              LossInputFault::ferriteMadeForAnotherPoint);
}

TEST(SolutionLosses, FaultsNameTheFirstWrongInput) {
    using Change = std::function<void(SolutionLossInputs&)>;
    constexpr std::array<SteinmetzRange, 1> coldOnly = {{{1, 1e7, 1, 1.5, 2.5, 1, 0.02, 0}}};
    const struct {
        const char* what;
        Change change;
        FerriteFigures ferrite;
        LossInputFault fault;
    } cases[] = {
        {"no inductance", [](auto& in) { in.inductance = 0; }, n27(), LossInputFault::inductanceNotPositive},
        {"NaN peak", [](auto& in) { in.primaryPeak = std::nan(""); }, n27(),
         LossInputFault::primaryPeakNegative},
        {"negative secondary", [](auto& in) { in.secondaryPeak = -1; }, n27(),
         LossInputFault::secondaryPeakNegative},
        {"d = 0", [](auto& in) { in.onFraction = 0; }, n27(), LossInputFault::fractionOutOfRange},
        {"d2 > 1", [](auto& in) { in.offFraction = 1.2; }, n27(), LossInputFault::fractionOutOfRange},
        {"no frequency", [](auto& in) { in.frequency = 0; }, n27(), LossInputFault::frequencyNotPositive},
        {"temperature NaN", [](auto& in) { in.temperature = std::nan(""); }, n27(),
         LossInputFault::temperatureNotFinite},
        {"negative power", [](auto& in) { in.outputPower = -1; }, n27(), LossInputFault::outputPowerNegative},
        {"no Ve", [](auto& in) { in.core.effectiveVolume = 0; }, n27(),
         LossInputFault::coreFigureNotPositive},
        {"rectangular column without depth",
         [](auto& in) {
             in.core.column.shape = TurnColumn::Shape::rectangular;
             in.core.column.width = 8e-3;
         },
         n27(), LossInputFault::coreFigureNotPositive},
        {"a winding without strands", [](auto& in) { in.windings[1].strands = 0; }, n27(),
         LossInputFault::windings},
        {"five windings", [](auto& in) { in.windingCount = 5; }, n27(), LossInputFault::windings},
        {"no primary", [](auto& in) { in.windings[0].role = CopperRole::secondary; }, n27(),
         LossInputFault::noPrimaryTurns},
        {"no Bsat", [](auto&) {}, FerriteFigures{0, 0, 2000, 2000, kN27},
         LossInputFault::ferriteFigureNotPositive},
        {"no loss ranges", [](auto&) {}, FerriteFigures{0.4, 0.4, 2000, 2000, {}},
         LossInputFault::noSteinmetzRange},
        {"loss fit negative at 100 °C", [](auto&) {}, FerriteFigures{0.4, 0.4, 2000, 2000, coldOnly},
         LossInputFault::temperatureFactorNotPositive},
    };
    for (const auto& c : cases) {
        SolutionLossInputs in = workedSolution();
        c.change(in);
        const SolutionLossResult result = solutionLosses(in, c.ferrite);
        EXPECT_EQ(result.fault, c.fault) << c.what << ": " << lossInputFaultText(result.fault);
    }
    SolutionLossInputs in = workedSolution();
    in.windings[1].strands = 0;
    const SolutionLossResult result = solutionLosses(in, n27());
    EXPECT_EQ(result.windingFault, WindingFault::strandsNotPositive);
    EXPECT_EQ(result.windingIndex, 1U);
}

TEST(SolutionLosses, NoGapIsReportedWithItsReasonAndTheOtherFigures) {
    SolutionLossInputs in = workedSolution();
    in.inductance = 20e-3;  // the ungapped set gives 60 turns about 13 mH at 100 °C
    const SolutionLossResult result = solutionLosses(in, n27());
    ASSERT_EQ(result.fault, LossInputFault::none);
    EXPECT_EQ(result.figures.noGap, NoGapReason::aboveUngappedCore);
    EXPECT_EQ(result.figures.gapMm, 0);
    EXPECT_EQ(result.figures.alNhPerTurn2, 0);
    EXPECT_GT(result.figures.coreLossW, 0);
}

}  // namespace

namespace {

// Operating points around the worked solution, from the series branch of Dowell's formula (thin
// wire, low frequency) to many layers of thick wire far above the skin depth.
std::vector<SolutionLossInputs> variedSolutions() {
    std::vector<SolutionLossInputs> all;
    for (const double frequency : {20e3, 66e3, 300e3})
        for (const double duty : {0.05, 0.42, 0.9})
            for (const double layers : {1.0, 3.0, 8.0})
                for (const double bare : {0.08, 0.6, 1.5})
                    for (const double temperature : {25.0, 100.0}) {
                        SolutionLossInputs in = workedSolution();
                        in.frequency = frequency;
                        in.onFraction = duty;
                        in.offFraction = 1 - duty;
                        in.temperature = temperature;
                        in.windings[0] = winding(CopperRole::primary, 60, bare, bare * 1.1, 1, layers,
                                                 layers * bare * 1.1);
                        in.windings[1].layers = layers;
                        all.push_back(in);
                    }
    return all;
}

}  // namespace

TEST(SolutionLossFloor, NeverAboveTheFiguresAndBpkExact) {
    for (const SolutionLossInputs& in : variedSolutions()) {
        const FerriteAtPoint point = ferriteAt(n27(), in.frequency, in.temperature);
        const SolutionLossResult full = solutionLosses(in, point, LossScope::withoutGap);
        ASSERT_EQ(full.fault, LossInputFault::none);
        const double total = full.figures.coreLossW + full.figures.copperLossW;
        double lastFloor = 0;
        for (const CopperFloor kind : {CopperFloor::dc, CopperFloor::firstHarmonic}) {
            SCOPED_TRACE(testing::Message()
                         << "f " << in.frequency << " d " << in.onFraction << " m " << in.windings[0].layers
                         << " dp " << in.windings[0].bareDiameter << " T " << in.temperature << " floor "
                         << static_cast<int>(kind));
            const SolutionLossFloorResult floor = solutionLossFloor(in, point, kind);
            ASSERT_EQ(floor.fault, LossInputFault::none);
            EXPECT_EQ(floor.floor.bpkOfBsatPct, full.figures.bpkOfBsatPct);
            EXPECT_LE(floor.floor.totalLossW, total);
            EXPECT_LE(floor.floor.temperatureRiseK, full.figures.temperatureRiseK);
            EXPECT_GT(floor.floor.totalLossW, full.figures.coreLossW);  // the copper counts
            EXPECT_GE(floor.floor.totalLossW, lastFloor);               // the first harmonic only raises it
            lastFloor = floor.floor.totalLossW;
        }
    }
}

TEST(SolutionLossFloor, FindsTheFaultTheFiguresFind) {
    const FerriteAtPoint point = ferriteAt(n27(), 66000, 100);
    const std::vector<std::function<void(SolutionLossInputs&)>> breaks = {
        [](SolutionLossInputs& in) { in.inductance = 0; },
        [](SolutionLossInputs& in) { in.offFraction = 1.5; },
        [](SolutionLossInputs& in) { in.windings[1].layers = 0.5; },
        [](SolutionLossInputs& in) { in.windings[0].role = CopperRole::auxiliary; },
        [](SolutionLossInputs& in) { in.temperature = 25; },  // the point was made for 100 °C
    };
    for (const auto& wreck : breaks) {
        SolutionLossInputs in = workedSolution();
        wreck(in);
        const SolutionLossResult full = solutionLosses(in, point);
        EXPECT_NE(full.fault, LossInputFault::none);
        EXPECT_EQ(solutionLossFloor(in, point, CopperFloor::dc).fault, full.fault);
    }
}

// The cache is read in the order a search meets candidates: runs of one wire and duty, then
// another, then back; every figure must be the one made afresh, to the last bit.
TEST(SolutionLossCache, GivesTheFiguresMadeAfresh) {
    SolutionLossCache cache;
    const std::vector<SolutionLossInputs> all = variedSolutions();
    for (int round = 0; round < 2; ++round)
        for (std::size_t i = 0; i < all.size(); i += round == 0 ? 1 : 7) {
            SolutionLossInputs in = all[i];
            const FerriteAtPoint point = ferriteAt(n27(), in.frequency, in.temperature);
            for (const double peak : {0.9, 0.9, 1.3}) {
                in.primaryPeak = peak;
                const SolutionLossResult fresh = solutionLosses(in, point);
                const SolutionLossResult cached = solutionLosses(in, point, LossScope::all, &cache);
                ASSERT_EQ(cached.fault, LossInputFault::none);
                EXPECT_EQ(cached.figures, fresh.figures) << "solution " << i;
                const SolutionLossFloorResult floor =
                    solutionLossFloor(in, point, CopperFloor::firstHarmonic, &cache);
                EXPECT_EQ(floor.floor.totalLossW,
                          solutionLossFloor(in, point, CopperFloor::firstHarmonic).floor.totalLossW);
            }
        }
}
