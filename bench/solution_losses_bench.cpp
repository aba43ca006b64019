#include <benchmark/benchmark.h>

#include <array>

#include "engine/solution_losses.h"

using namespace quillmere;

// Every figure of one solution (flux, iGSE core loss, copper loss of three windings over ten
// harmonics, temperature rise, the fringing gap), as a whole-catalogue search would call it for
// each accepted candidate; the ferrite made once per frequency, or on every call.
namespace {

constexpr std::array<SteinmetzRange, 3> kBenchN27 = {{
    {1.0, 100000.0, 15003.3, 1.22528, 2.57602, 0.00488149, 8.36579e-05, 4.7572e-07},
    {100000.0, 300000.0, 21.6825, 1.75723, 2.59381, 0.00602201, 9.78727e-05, 5.78518e-07},
    {300000.0, 10000000.0, 0.00242521, 2.29727, 2.42844, 0.0203985, 0.000188212, 1.42965e-06},
}};

SolutionLossInputs benchSolution() {
    SolutionLossInputs in;
    in.inductance = 600e-6;
    in.primaryPeak = 0.9;
    in.secondaryPeak = 4.5;
    in.onFraction = 0.42;
    in.offFraction = 0.45;
    in.frequency = 66000;
    in.outputPower = 10;
    in.core = {52.5e-6, 57.5e-3, 3020e-9, 52.5e-6, 29e-3, 6.2e-3, {}};
    in.core.column.radius = 4e-3;
    const auto winding = [](CopperRole role, double turns, double bare, int strands, double layers) {
        WindingBuild w;
        w.role = role;
        w.turns = turns;
        w.bareDiameter = bare;
        w.insulatedDiameter = bare * 1.1;
        w.strands = strands;
        w.layers = layers;
        w.build = layers * bare * 1.1;
        w.tapeBelow = 0.1e-3;
        return w;
    };
    in.windings[0] = winding(CopperRole::primary, 60, 0.3e-3, 1, 2);
    in.windings[1] = winding(CopperRole::secondary, 12, 0.6e-3, 2, 1);
    in.windings[2] = winding(CopperRole::auxiliary, 10, 0.2e-3, 1, 1);
    in.windingCount = 3;
    return in;
}

// The ferrite made once for the frequency; a new current each time, as the candidates of a
// sweep bring.
void runWithFerriteAtPoint(benchmark::State& bench, LossScope scope) {
    SolutionLossInputs in = benchSolution();
    const FerriteAtPoint ferrite = ferriteAt({0.5028, 0.4109, 1812.0, 3230.0, kBenchN27}, in.frequency, 100);
    double peak = 0.8;
    for (auto _ : bench) {
        peak = peak < 1.0 ? peak + 1e-6 : 0.8;
        in.primaryPeak = peak;
        benchmark::DoNotOptimize(in);
        const SolutionLossResult result = solutionLosses(in, ferrite, scope);
        benchmark::DoNotOptimize(result.figures.temperatureRiseK);
    }
}

void L1_SolutionLosses(benchmark::State& bench) {
    runWithFerriteAtPoint(bench, LossScope::all);
}

void L3_SolutionLossesWithoutGap(benchmark::State& bench) {
    runWithFerriteAtPoint(bench, LossScope::withoutGap);
}

void L2_SolutionLossesWithFerrite(benchmark::State& bench) {
    SolutionLossInputs in = benchSolution();
    const FerriteFigures n27{0.5028, 0.4109, 1812.0, 3230.0, kBenchN27};
    for (auto _ : bench) {
        benchmark::DoNotOptimize(in);
        const SolutionLossResult result = solutionLosses(in, n27);
        benchmark::DoNotOptimize(result.figures.temperatureRiseK);
    }
}

}  // namespace

BENCHMARK(L1_SolutionLosses)->Unit(benchmark::kNanosecond);
BENCHMARK(L2_SolutionLossesWithFerrite)->Unit(benchmark::kNanosecond);
BENCHMARK(L3_SolutionLossesWithoutGap)->Unit(benchmark::kNanosecond);
