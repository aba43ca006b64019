// Worked values: tests/engine/loss_worked_values.py (mpmath, apart from the engine).
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

#include "engine/core_loss.h"

using namespace quillmere;

namespace {

// TDK N27 as the catalogue lists it.
constexpr std::array<SteinmetzRange, 3> kN27 = {{
    {1.0, 100000.0, 15003.3, 1.22528, 2.57602, 0.00488149, 8.36579e-05, 4.7572e-07},
    {100000.0, 300000.0, 21.6825, 1.75723, 2.59381, 0.00602201, 9.78727e-05, 5.78518e-07},
    {300000.0, 10000000.0, 0.00242521, 2.29727, 2.42844, 0.0203985, 0.000188212, 1.42965e-06},
}};

FerriteFigures n27() {
    return {0.5028, 0.4109, 1812.0, 3230.0, kN27};
}

TEST(Ferrite, FiguresBetweenTheDataSheetTemperaturesAndHeldOutside) {
    const struct {
        double temperature;
        double bsat;
    } cases[] = {
        {-40, 0.5028}, {0, 0.5028},   {25, 0.5028}, {40, 0.48442}, {62.5, 0.45685}, {99, 0.41212533333333333},
        {100, 0.4109}, {150, 0.4109},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(saturationFluxDensity(n27(), c.temperature), c.bsat, 1e-15) << c.temperature << " °C";
    }
    // µi rises with temperature in N27: the same rule must not assume a falling figure.
    EXPECT_NEAR(initialPermeability(n27(), 62.5), 2521.0, 1e-9);
    EXPECT_EQ(initialPermeability(n27(), 130), 3230.0);
}

TEST(CoreLoss, RangeChoiceAtTheEdgesAndOutside) {
    constexpr std::array<SteinmetzRange, 2> gapped = {{
        {1, 100, 1, 1.5, 2.5, 1, 0, 0},
        {200, 1000, 2, 1.5, 2.5, 1, 0, 0},
    }};
    const struct {
        const char* what;
        std::span<const SteinmetzRange> ranges;
        double frequency;
        double k;  // identifies the range
    } cases[] = {
        {"shared edge: the lower range", kN27, 100000, 15003.3},
        {"just above the edge", kN27, 100000.001, 21.6825},
        {"upper edge of the middle range", kN27, 300000, 21.6825},
        {"below all: the lowest", kN27, 0.5, 15003.3},
        {"above all: the highest", kN27, 2e7, 0.00242521},
        {"in a hole, nearer the lower by ratio", gapped, 140, 1},
        {"in a hole, nearer the upper by ratio (not by Hz)", gapped, 145, 2},
    };
    for (const auto& c : cases) {
        const auto range = steinmetzRangeAt(c.ranges, c.frequency);
        ASSERT_TRUE(range) << c.what;
        EXPECT_EQ(range->k, c.k) << c.what;
    }
    EXPECT_FALSE(steinmetzRangeAt({}, 1000));
    EXPECT_FALSE(coreLossLaw(FerriteFigures{}, 1000, 100));
}

// (1/T)∫ ki·|dB/dt|^α·ΔB^(β−α) dt over one period of B̂·sin ωt, by the midpoint rule.
double igseOfSine(double ki, double alpha, double beta, double frequency, double peak) {
    constexpr int kSteps = 200000;
    const double period = 1 / frequency;
    const double dt = period / kSteps;
    const double omega = 2 * std::numbers::pi * frequency;
    double sum = 0;
    for (int i = 0; i < kSteps; ++i) {
        const double t = (i + 0.5) * dt;
        sum += std::pow(std::abs(peak * omega * std::cos(omega * t)), alpha) * dt;
    }
    return ki * std::pow(2 * peak, beta - alpha) * sum / period;
}

TEST(CoreLoss, TheIgseCoefficientGivesASinusoidItsSteinmetzLossBack) {
    const struct {
        SteinmetzRange range;
        double frequency;
        double peak;
    } cases[] = {
        {kN27[0], 50000, 0.1},
        {kN27[1], 132000, 0.2},
        {kN27[2], 500000, 0.05},
        {{0, 1e9, 3.7, 1.0, 2.0, 1, 0, 0}, 20000, 0.3},
        {{0, 1e9, 0.02, 3.0, 3.5, 1, 0, 0}, 80000, 0.15},
    };
    for (const auto& c : cases) {
        const double steinmetz =
            c.range.k * std::pow(c.frequency, c.range.alpha) * std::pow(c.peak, c.range.beta);
        const double igse =
            igseOfSine(igseCoefficient(c.range), c.range.alpha, c.range.beta, c.frequency, c.peak);
        EXPECT_NEAR(igse / steinmetz, 1, 1e-8) << "alpha " << c.range.alpha << ", beta " << c.range.beta;
    }
    EXPECT_NEAR(igseCoefficient(kN27[1]), 0.91488724590206809, 1e-14);
}

TEST(CoreLoss, TriangularFluxThroughTheIgse) {
    // N27 at 132 kHz and 100 °C: 0.25 T up in 0.4 of the period, down in 0.35.
    const auto law = coreLossLaw(n27(), 132000, 100);
    ASSERT_TRUE(law);
    EXPECT_NEAR(law->temperatureFactor, 0.00602201 - 9.78727e-3 + 5.78518e-3, 1e-15);
    EXPECT_NEAR(coreLossDensity(*law, 0.25, 0.4, 0.35) / 212800.26728839263, 1, 1e-12);
    // Faster edges cost more at the same swing: d^(1−α) grows as d shrinks for α > 1.
    EXPECT_GT(coreLossDensity(*law, 0.25, 0.2, 0.35), coreLossDensity(*law, 0.25, 0.4, 0.35));
}

}  // namespace
