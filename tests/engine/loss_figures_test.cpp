#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include <nlohmann/json.hpp>

#include "engine/figure_ranking_store.h"
#include "engine/loss_figures.h"
#include "engine/result_export.h"
#include "engine/search.h"
#include "engine/solution_figure_text.h"
#include "engine/winding_fit.h"

using namespace quillmere;

namespace {

// The default design wound on a catalogue E 16/6/5 of N87, its Ae and slot taken from the catalogue.
SearchSetup catalogueSetup(RankBy rankBy = RankBy::fill) {
    const CoreCatalogue& catalogue = CoreCatalogue::builtIn();
    const CoreShape* core = catalogue.findCore("E 16/6/5");
    const Material* material = catalogue.findMaterial("N87");
    EXPECT_TRUE(core && material && core->defaultBobbin());
    SearchSetup setup = SearchSetup::from(Design{});
    CoreContext context{*core, *core->defaultBobbin(), *core->defaultBobbinIndex, *material};
    setup.inputs.coreAe = static_cast<float>(core->ae);
    setup.inputs.slotWidth = static_cast<float>(context.bobbin.slotWidth);
    setup.inputs.slotDepth = static_cast<float>(context.bobbin.slotDepth);
    setup.rules.maxSolutions = 30;
    setup.rules.rankBy = static_cast<int>(rankBy);
    setup.core = context;
    return setup;
}

AnalysisResult search(const SearchSetup& setup) {
    NullSink sink;
    SearchCounters counters;
    return runAnalysis(setup, counters, sink, Pacing::none(), {}).value();
}

double totalLoss(const Solution& s) {
    return s.figures->coreLossW + s.figures->copperLossW;
}

TEST(SolutionFigures, AgreeWithTheModelFedByHand) {
    const SearchSetup setup = catalogueSetup();
    const AnalysisResult result = search(setup);
    ASSERT_FALSE(result.solutions.empty());
    const Solution& s = result.solutions.front();
    ASSERT_TRUE(s.figures);
    ASSERT_EQ(s.core, 0u);
    ASSERT_EQ(result.cores.size(), 1u);

    // E 16/6/5: Ae 19.07 mm², le 28.53 mm, Ve 544.1 mm³, rectangular leg 4.55 × 4.5 mm, D 3.75 mm,
    // derived bobbin column 5.75 × 5.7 mm; a plain winding Np, Ns, Nf from the column outwards.
    const CandidateRecord& r = s.numbers;
    SolutionLossInputs in;
    in.inductance = r.inductance * 1e-6;
    in.primaryPeak = r.ipkPrimary;
    in.secondaryPeak = r.ipkSecondary;
    in.onFraction = r.onDuty / 100.0;
    in.offFraction = 0.5;  // CC mode: Dout 50 %
    in.frequency = r.frequency * 1e3;
    in.temperature = 100;
    in.outputPower = 23 * 0.33f;
    in.core = {19.07e-6, 28.53e-3, 544.1e-9, 20.475e-6, 2 * (4.55 + 4.5) * 1e-3, 3.75e-3, {}};
    in.core.column.shape = TurnColumn::Shape::rectangular;
    in.core.column.width = 5.75e-3;
    in.core.column.depth = 5.7e-3;
    const double w = 6.3;  // slot width, no reserve
    const double tape = 2 * 0.02e-3;
    const auto winding = [&](CopperRole role, double turns, float bare, double perLayer, double below) {
        const double outer = outerDiameter(bare);
        const double layers = std::ceil((turns - 1) / perLayer);
        return WindingBuild{role, turns, bare * 1e-3, outer * 1e-3, 1, layers, layers * outer * 1e-3, below};
    };
    const double dp = outerDiameter(r.primaryWire);
    const double ds = outerDiameter(r.secondaryWire);
    in.windings[0] = winding(CopperRole::primary, r.primaryTurns, r.primaryWire, (w - dp) / dp, 0);
    in.windings[1] =
        winding(CopperRole::secondary, r.secondaryTurns, r.secondaryWire, (w - dp - ds) / ds, tape);
    in.windings[2] =
        winding(CopperRole::auxiliary, r.feedbackTurns, 0.12f, (w - dp - ds - 0.12) / 0.12, tape);
    in.windingCount = 3;

    const Material& n87 = *CoreCatalogue::builtIn().findMaterial("N87");
    const FerriteFigures ferrite{n87.bsat25C, n87.bsat100C, *n87.initialPermeability25C,
                                 *n87.initialPermeability100C, n87.steinmetz};
    const SolutionLossResult byHand = solutionLosses(in, ferrite);
    ASSERT_EQ(byHand.fault, LossInputFault::none);
    const SolutionLossFigures& f = *s.figures;
    EXPECT_NEAR(f.bpkMt, byHand.figures.bpkMt, 1e-9);
    EXPECT_NEAR(f.coreLossW, byHand.figures.coreLossW, 1e-12);
    EXPECT_NEAR(f.copperLossW, byHand.figures.copperLossW, 1e-9 * byHand.figures.copperLossW);
    EXPECT_NEAR(f.primaryDcrOhm, byHand.figures.primaryDcrOhm, 1e-9);
    EXPECT_NEAR(f.auxDcrOhm, byHand.figures.auxDcrOhm, 1e-9);
    EXPECT_NEAR(f.gapMm, byHand.figures.gapMm, 1e-9);
    EXPECT_NEAR(f.temperatureRiseK, byHand.figures.temperatureRiseK, 1e-9 * f.temperatureRiseK);
    EXPECT_GT(f.coreLossW, 0);
    EXPECT_GT(f.copperLossW, 0);
}

TEST(SolutionFigures, ACustomCoreSearchIsUntouched) {
    SearchSetup custom = SearchSetup::from(Design{});
    const AnalysisResult plain = search(custom);
    custom.rules.rankBy = static_cast<int>(RankBy::loss);
    custom.rules.maxTotalLoss = 1e-6f;
    const AnalysisResult ignored = search(custom);
    EXPECT_EQ(plain.solutions, ignored.solutions);
    EXPECT_EQ(plain.acceptedCount, ignored.acceptedCount);
    EXPECT_TRUE(plain.cores.empty());
    for (const Solution& s : plain.solutions) EXPECT_FALSE(s.figures || s.core);
}

TEST(SolutionFigures, RankedByAFigurePutsTheLowestFirst) {
    const AnalysisResult byFill = search(catalogueSetup(RankBy::fill));
    ASSERT_GT(byFill.solutions.size(), 2u);
    struct Case {
        RankBy by;
        double (*figure)(const Solution&);
    };
    const Case cases[] = {
        {RankBy::loss, totalLoss},
        {RankBy::temperature, [](const Solution& s) { return s.figures->temperatureRiseK; }},
    };
    for (const Case& c : cases) {
        const AnalysisResult ranked = search(catalogueSetup(c.by));
        ASSERT_FALSE(ranked.solutions.empty());
        EXPECT_EQ(ranked.acceptedCount, byFill.acceptedCount);
        for (std::size_t k = 0; k < ranked.solutions.size(); ++k) {
            EXPECT_EQ(ranked.solutions[k].rank, static_cast<int>(k) + 1);
            if (k > 0) {
                EXPECT_LT(c.figure(ranked.solutions[k - 1]), c.figure(ranked.solutions[k]));
            }
        }
        // The coolest of the whole sweep is at least as cool as any the fill ranking shows.
        for (const Solution& s : byFill.solutions) EXPECT_LE(c.figure(ranked.solutions.front()), c.figure(s));
    }
    // One core: the volume ranking is the fill ranking.
    EXPECT_EQ(search(catalogueSetup(RankBy::volume)).solutions, byFill.solutions);
}

TEST(SolutionFigures, LimitsRejectAndCount) {
    const AnalysisResult all = search(catalogueSetup(RankBy::loss));
    ASSERT_GT(all.solutions.size(), 3u);
    const double limit = totalLoss(all.solutions[2]);
    SearchSetup limited = catalogueSetup(RankBy::loss);
    limited.rules.maxTotalLoss = static_cast<float>(limit);
    const AnalysisResult kept = search(limited);
    EXPECT_GT(kept.limitRejectedCount, 0);
    EXPECT_EQ(kept.acceptedCount + kept.limitRejectedCount, all.acceptedCount);
    for (const Solution& s : kept.solutions) EXPECT_LE(totalLoss(s), static_cast<float>(limit));

    // A limit on a fill-ranked search keeps the fill order among what passes.
    SearchSetup bySaturation = catalogueSetup(RankBy::fill);
    bySaturation.rules.maxFluxOfSaturation = 1;  // no ferrite runs this cold: everything rejected
    const AnalysisResult none = search(bySaturation);
    EXPECT_TRUE(none.solutions.empty());
    EXPECT_EQ(none.acceptedCount, 0);
    EXPECT_GT(none.limitRejectedCount, 0);
}

TEST(SolutionFigures, ExportsAndTextsCarryThemOnlyWithACatalogueCore) {
    AnalysisResult result = search(catalogueSetup(RankBy::loss));
    ASSERT_GT(result.solutions.size(), 1u);
    result.solutions[1].figures->noGap = NoGapReason::beyondHalfWindow;  // as a core too small would
    const auto json = nlohmann::json::parse(resultJson(result));
    ASSERT_EQ(json["solutionFigures"].size(), result.solutions.size());
    const auto& first = json["solutionFigures"][0];
    const SolutionLossFigures& f = *result.solutions[0].figures;
    EXPECT_EQ(first["coreLossW"].get<double>(), f.coreLossW);
    EXPECT_EQ(first["gapMm"].get<double>(), f.gapMm);
    EXPECT_EQ(first["auxDcrOhm"].get<double>(), f.auxDcrOhm);
    EXPECT_EQ(first.size(), 6u + 15u);  // the core's six keys, then the loss figures
    EXPECT_TRUE(json["solutionFigures"][1]["gapMm"].is_null());

    const std::string csv = resultCsv(result);
    const std::string heading = csv.substr(0, csv.find("\r\n"));
    EXPECT_NE(heading.find(",coreLossW,copperLossW,"), std::string::npos);
    EXPECT_EQ(std::ranges::count(heading, ','), 22 + 3 + 15 - 1);
    const std::string second = csv.substr(csv.find("\r\n") + 2);
    std::string cell = figureText(f.coreLossW);  // as ",TEXT,": GCC 12 misreads "," + text + ","
    cell.insert(cell.begin(), ',');
    cell.push_back(',');
    EXPECT_NE(second.find(cell), std::string::npos);

    EXPECT_EQ(solutionFigureText(result.solutions[0], FigureColumn::coreLoss), figureText(f.coreLossW));
    EXPECT_EQ(solutionFigureText(result.solutions[1], FigureColumn::gap), "—");
    EXPECT_EQ(solutionFigureText(result.solutions[1], FigureColumn::inductanceFactor), "—");
    EXPECT_EQ(figureText(0.0123456), "0.01235");
    EXPECT_EQ(figureText(1234.5), "1234");  // %.4g rounds half to even on the binary value

    const AnalysisResult custom = search(SearchSetup::from(Design{}));
    EXPECT_EQ(resultJson(custom).find("solutionFigures"), std::string::npos);
    EXPECT_EQ(resultCsv(custom).find("coreLossW"), std::string::npos);
    EXPECT_EQ(solutionFigureText(custom.solutions.at(0), FigureColumn::temperatureRise), "—");
}

TEST(FigureRankingStore, KeepsTheLowestDistinctFiguresEarliestFirst) {
    FigureRankingStore store;
    store.reset(2);
    CandidateRecord a, b, c, d;
    a.onDuty = 1, b.onDuty = 2, c.onDuty = 3, d.onDuty = 4;
    EXPECT_TRUE(store.offer(3.0, a));
    EXPECT_TRUE(store.offer(1.0, b));
    EXPECT_FALSE(store.offer(1.0, c));  // a tie: the earlier stays
    EXPECT_FALSE(store.offer(std::nan(""), c));
    EXPECT_FALSE(store.offer(3.0, d));  // full, not lower than the worst
    EXPECT_TRUE(store.offer(2.0, d));
    EXPECT_EQ(store.entryBar(), 2.0);  // full: what a newcomer must beat
    const auto ranked = store.ranked();
    ASSERT_EQ(ranked.size(), 2u);
    EXPECT_EQ(ranked[0].numbers.onDuty, 2);
    EXPECT_EQ(ranked[1].numbers.onDuty, 4);
    EXPECT_EQ(ranked[1].rank, 2);
    store.reset(0);
    EXPECT_EQ(store.entryBar(), -HUGE_VAL);
    EXPECT_FALSE(store.offer(0.5, a));
    store.reset(3);
    EXPECT_EQ(store.entryBar(), HUGE_VAL);
    store.offer(1.0, a);
    EXPECT_EQ(store.entryBar(), HUGE_VAL);  // room left
}

// The ranking refuses candidates on floors once its store is full: what it keeps must be what a
// store that never fills (and so never refuses early) keeps first, figures, order and counts.
TEST(SolutionFigures, ARankingRefusesOnlyWhatItWouldNotKeep) {
    struct Case {
        const char* name;
        RankBy rankBy;
        std::function<void(SearchSetup&)> change;
    };
    const std::vector<Case> cases = {
        {"loss", RankBy::loss, [](SearchSetup&) {}},
        {"temperature", RankBy::temperature, [](SearchSetup&) {}},
        {"every wire, two secondary strands", RankBy::loss,
         [](SearchSetup& s) {
             s.rules.secondaryStrands = 2;
             for (int i = 0; i < WireCatalogue::kSize; ++i) {
                 s.rules.primaryWires[static_cast<std::size_t>(i)] = WireCatalogue::value(i);
                 s.rules.secondaryWires[static_cast<std::size_t>(i)] = WireCatalogue::value(i);
             }
         }},
        {"sandwich", RankBy::temperature, [](SearchSetup& s) { s.rules.sandwichWinding = 1; }},
        {"CV", RankBy::loss, [](SearchSetup& s) { s.rules.ccMode = false; }},
        {"cold, with a loss limit", RankBy::loss,
         [](SearchSetup& s) {
             s.rules.operatingTemperature = 25;
             s.rules.maxTotalLoss = 0.8;
         }},
        {"limits on rise and flux", RankBy::temperature,
         [](SearchSetup& s) {
             s.rules.maxTemperatureRise = 60;
             s.rules.maxFluxOfSaturation = 70;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SearchSetup setup = catalogueSetup(c.rankBy);
        c.change(setup);
        setup.rules.maxSolutions = 1000000;
        const AnalysisResult everything = search(setup);
        ASSERT_GT(everything.solutions.size(), 12u);
        // Every floor lies at or under the figure: a bar a hair above it lets the candidate in.
        SolutionFigureMaker maker(setup);
        for (const Solution& s : everything.solutions) {
            const double key = c.rankBy == RankBy::loss ? totalLoss(s) : s.figures->temperatureRiseK;
            const RankingFigures f = maker.rankingFigures(s.numbers, std::nextafter(key, HUGE_VAL));
            EXPECT_FALSE(f.pastLimit);
            ASSERT_FALSE(f.cannotEnter) << "rank " << s.rank;
            EXPECT_EQ(f.key, key);
        }
        for (const int kept : {1, 3, 12}) {
            setup.rules.maxSolutions = kept;
            const AnalysisResult result = search(setup);
            EXPECT_EQ(result.acceptedCount, everything.acceptedCount);
            EXPECT_EQ(result.limitRejectedCount, everything.limitRejectedCount);
            ASSERT_EQ(result.solutions.size(), static_cast<std::size_t>(kept));
            for (std::size_t i = 0; i < result.solutions.size(); ++i)
                EXPECT_EQ(result.solutions[i], everything.solutions[i]) << "rank " << i + 1;
        }
    }
}

}  // namespace
