// Whole analyses without pacing, as the form would run them, timed per run.
// Peak memory is the process's resident peak so far: run one case per process to read it
// (./project.sh bench --benchmark_filter=B3).
#include <benchmark/benchmark.h>

#include <functional>

#include "bench_support.h"
#include "engine/search.h"

using namespace quillmere;

namespace {

void runCase(benchmark::State& bench, const std::function<void(Design&)>& change) {
    std::int64_t accepted = 0;
    int passes = 0;
    for (auto _ : bench) {
        Design design;
        change(design);
        const AnalysisResult result = analyseNow(design);
        accepted = result.acceptedCount;
        passes = result.passNumber;
        benchmark::DoNotOptimize(result.solutions.data());
    }
    bench.counters["accepted"] = static_cast<double>(accepted);
    bench.counters["passes"] = passes;
    bench.counters["peak_MB"] = peakResidentMegabytes();
}

void B1_Defaults(benchmark::State& s) {
    runCase(s, [](Design&) {});
}

void B2_AllWires(benchmark::State& s) {
    runCase(s, [](Design& d) {
        allWires(d.rules.primaryWires);
        allWires(d.rules.secondaryWires);
    });
}

void B3_AllWiresSandwichWireChange(benchmark::State& s) {
    runCase(s, [](Design& d) {
        allWires(d.rules.primaryWires);
        allWires(d.rules.secondaryWires);
        d.rules.sandwichWinding = 1;
        d.rules.sandwichWireChange = true;
    });
}

void B4_NarrowSlotAllPasses(benchmark::State& s) {
    runCase(s, [](Design& d) { d.inputs.slotWidth = 2; });
}

void B5_AllWiresWideSpans(benchmark::State& s) {
    runCase(s, [](Design& d) {
        allWires(d.rules.primaryWires);
        allWires(d.rules.secondaryWires);
        d.rules.onDutySpan = 5;
        d.rules.frequencySpan = 10;
        d.rules.peakFluxSpan = 400;
    });
}

}  // namespace

BENCHMARK(B1_Defaults)->Unit(benchmark::kMillisecond);
BENCHMARK(B2_AllWires)->Unit(benchmark::kMillisecond);
BENCHMARK(B3_AllWiresSandwichWireChange)->Unit(benchmark::kMillisecond);
BENCHMARK(B4_NarrowSlotAllPasses)->Unit(benchmark::kMillisecond);
BENCHMARK(B5_AllWiresWideSpans)->Unit(benchmark::kMillisecond);
