// Whole analyses without pacing, as the form would run them, timed per run.
// Peak memory is the process's resident peak so far: run one case per process to read it
// (./project.sh bench --benchmark_filter=B3).
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <functional>

#include "engine/search.h"
#include "engine/solution_losses.h"

namespace {

void allWires(WireSet& set) {
    for (int i = 0; i < WireCatalogue::kSize; ++i) set[static_cast<std::size_t>(i)] = WireCatalogue::value(i);
}

double peakResidentMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

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

void L1_SolutionLosses(benchmark::State& bench) {
    SolutionLossInputs in = benchSolution();
    const FerriteAtPoint ferrite = ferriteAt({0.5028, 0.4109, 1812.0, 3230.0, kBenchN27}, in.frequency, 100);
    double peak = 0.8;
    for (auto _ : bench) {
        // A new current each time, as the candidates of a sweep bring.
        peak = peak < 1.0 ? peak + 1e-6 : 0.8;
        in.primaryPeak = peak;
        benchmark::DoNotOptimize(in);
        const SolutionLossResult result = solutionLosses(in, ferrite);
        benchmark::DoNotOptimize(result.figures.temperatureRiseK);
    }
}

void L3_SolutionLossesWithoutGap(benchmark::State& bench) {
    SolutionLossInputs in = benchSolution();
    const FerriteAtPoint ferrite = ferriteAt({0.5028, 0.4109, 1812.0, 3230.0, kBenchN27}, in.frequency, 100);
    double peak = 0.8;
    for (auto _ : bench) {
        peak = peak < 1.0 ? peak + 1e-6 : 0.8;
        in.primaryPeak = peak;
        benchmark::DoNotOptimize(in);
        const SolutionLossResult result = solutionLosses(in, ferrite, LossScope::withoutGap);
        benchmark::DoNotOptimize(result.figures.temperatureRiseK);
    }
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

BENCHMARK_MAIN();

// The built-in core catalogue, read as the first lookup reads it (once per process).
#include "engine/builtin_catalogue_text.h"
#include "engine/catalogue_reader.h"

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
#include "engine/core_search.h"
#include "engine/core_selection.h"

namespace {

void runCatalogueCase(benchmark::State& bench, bool everyWire) {
    Design design;
    if (everyWire) {
        for (int i = 0; i < WireCatalogue::kSize; ++i) {
            design.rules.primaryWires[static_cast<std::size_t>(i)] = WireCatalogue::value(i);
            design.rules.secondaryWires[static_cast<std::size_t>(i)] = WireCatalogue::value(i);
        }
    }
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
    runCatalogueCase(s, false);
}

void K2_WholeCatalogueAllWires(benchmark::State& s) {
    runCatalogueCase(s, true);
}

}  // namespace

BENCHMARK(K1_WholeCatalogueDefaults)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(K2_WholeCatalogueAllWires)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(C1_ParseBuiltInCatalogue)->Unit(benchmark::kMillisecond);

// A catalogue-core search (E 16/6/5, N87, every wire), ranked by fill (figures for the shown
// solutions only) and by total loss (figures for every accepted candidate).
#include "engine/core_catalogue.h"

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
