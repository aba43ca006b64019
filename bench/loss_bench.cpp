// The whole catalogue searched as K1/K2 do, ranked by a loss figure: read against K1/K2 for
// what the figures cost (wall time, both cores busy).
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "engine/core_catalogue.h"
#include "engine/core_search.h"
#include "engine/core_selection.h"

using namespace quillmere;

namespace {

void runRankedCatalogueCase(benchmark::State& bench, bool everyWire, RankBy rankBy) {
    Design design;
    if (everyWire) {
        allWires(design.rules.primaryWires);
        allWires(design.rules.secondaryWires);
    }
    design.rules.rankBy = static_cast<int>(rankBy);
    const std::vector<CoreContext> cores = resolveCoreSet(CoreSetChoice{}, CoreCatalogue::builtIn()).cores;
    std::int64_t accepted = 0;
    for (auto _ : bench) {
        NullSink sink;
        SearchCounters counters;
        const auto result =
            runCoreSearch(SearchSetup::from(design), cores, counters, sink, Pacing::none(), {});
        accepted = result->acceptedCount;
        benchmark::DoNotOptimize(result->solutions.data());
    }
    bench.counters["cores"] = static_cast<double>(cores.size());
    bench.counters["accepted"] = static_cast<double>(accepted);
}

void K3_WholeCatalogueDefaultsByLoss(benchmark::State& s) {
    runRankedCatalogueCase(s, false, RankBy::loss);
}

void K4_WholeCatalogueAllWiresByLoss(benchmark::State& s) {
    runRankedCatalogueCase(s, true, RankBy::loss);
}

void K5_WholeCatalogueAllWiresByTemperature(benchmark::State& s) {
    runRankedCatalogueCase(s, true, RankBy::temperature);
}

}  // namespace

BENCHMARK(K3_WholeCatalogueDefaultsByLoss)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(K4_WholeCatalogueAllWiresByLoss)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(K5_WholeCatalogueAllWiresByTemperature)->Unit(benchmark::kMillisecond)->UseRealTime();
