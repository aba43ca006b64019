// The core catalogue: read, searched whole on the engine's pool (wall time, both cores busy),
// and one of its cores ranked by fill and by loss.
#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "engine/builtin_catalogue_text.h"
#include "engine/catalogue_reader.h"
#include "engine/core_catalogue.h"
#include "engine/core_search.h"
#include "engine/core_selection.h"
#include "engine/search.h"

using namespace quillmere;

// The built-in core catalogue, read as the first lookup reads it (once per process).

namespace {

void C1_ParseBuiltInCatalogue(benchmark::State& bench) {
    std::size_t cores = 0;
    for (auto _ : bench) {
        CoreCatalogue catalogue;
        CatalogueBuilder::add(catalogue, builtInCoresText(), "cores.json", "");
        CatalogueBuilder::add(catalogue, builtInMaterialsText(), "materials.json", "");
        cores = catalogue.cores().size();
        benchmark::DoNotOptimize(catalogue.materials().data());
    }
    bench.counters["cores"] = static_cast<double>(cores);
}

}  // namespace

BENCHMARK(C1_ParseBuiltInCatalogue)->Unit(benchmark::kMillisecond);

// The whole catalogue searched at once, on the engine's pool: wall time (both cores busy).

namespace {

void runCatalogueCase(benchmark::State& bench, bool everyWire, RankBy rankBy) {
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
    bench.counters["peak_MB"] = peakResidentMegabytes();
}

void K1_WholeCatalogueDefaults(benchmark::State& s) {
    runCatalogueCase(s, false, RankBy::fill);
}

void K2_WholeCatalogueAllWires(benchmark::State& s) {
    runCatalogueCase(s, true, RankBy::fill);
}

// The same searches ranked by a loss figure: read against K1/K2 for what the figures cost.
void K3_WholeCatalogueDefaultsByLoss(benchmark::State& s) {
    runCatalogueCase(s, false, RankBy::loss);
}

void K4_WholeCatalogueAllWiresByLoss(benchmark::State& s) {
    runCatalogueCase(s, true, RankBy::loss);
}

void K5_WholeCatalogueAllWiresByTemperature(benchmark::State& s) {
    runCatalogueCase(s, true, RankBy::temperature);
}

}  // namespace

BENCHMARK(K1_WholeCatalogueDefaults)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(K2_WholeCatalogueAllWires)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(K3_WholeCatalogueDefaultsByLoss)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(K4_WholeCatalogueAllWiresByLoss)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(K5_WholeCatalogueAllWiresByTemperature)->Unit(benchmark::kMillisecond)->UseRealTime();

// A catalogue-core search (E 16/6/5, N87, every wire), ranked by fill (figures for the shown
// solutions only) and by total loss (figures for every accepted candidate).

namespace {

void runCatalogueCoreCase(benchmark::State& bench, RankBy rankBy) {
    const CoreCatalogue& catalogue = CoreCatalogue::builtIn();
    const CoreShape& core = *catalogue.findCore("E 16/6/5");
    SearchSetup setup = SearchSetup::from(Design{});
    setup.core =
        CoreContext{core, *core.defaultBobbin(), *core.defaultBobbinIndex, *catalogue.findMaterial("N87")};
    setup.inputs.coreAe = static_cast<float>(core.ae);
    setup.inputs.slotWidth = static_cast<float>(setup.core->bobbin.slotWidth);
    setup.inputs.slotDepth = static_cast<float>(setup.core->bobbin.slotDepth);
    allWires(setup.rules.primaryWires);
    allWires(setup.rules.secondaryWires);
    setup.rules.rankBy = static_cast<int>(rankBy);
    std::int64_t accepted = 0;
    for (auto _ : bench) {
        NullSink sink;
        SearchCounters counters;
        const AnalysisResult result = runAnalysis(setup, counters, sink, Pacing::none(), {}).value();
        accepted = result.acceptedCount;
        benchmark::DoNotOptimize(result.solutions.data());
    }
    bench.counters["accepted"] = static_cast<double>(accepted);
}

void F1_CatalogueCoreByFill(benchmark::State& s) {
    runCatalogueCoreCase(s, RankBy::fill);
}

void F2_CatalogueCoreByLoss(benchmark::State& s) {
    runCatalogueCoreCase(s, RankBy::loss);
}

}  // namespace

BENCHMARK(F1_CatalogueCoreByFill)->Unit(benchmark::kMillisecond);
BENCHMARK(F2_CatalogueCoreByLoss)->Unit(benchmark::kMillisecond);
