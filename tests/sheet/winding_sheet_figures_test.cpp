#include <gtest/gtest.h>

#include <QDate>

#include "engine/search.h"
#include "sheet/winding_sheet_adapter.h"

using namespace quillmere;

namespace {

// The default design on a catalogue E 16/6/5 (plain) or as a sandwich: the sheet's losses,
// resistances and corrected gap are the solution's figures.
TEST(WindingSheetFigures, LossRowsResistancesAndGapComeFromTheFigures) {
    const CoreCatalogue& catalogue = CoreCatalogue::builtIn();
    const CoreShape& core = *catalogue.findCore("E 16/6/5");
    for (const int sandwich : {0, 1}) {
        Design design;
        design.inputs.coreAe = static_cast<float>(core.ae);
        design.inputs.slotWidth = static_cast<float>(core.defaultBobbin()->slotWidth);
        design.inputs.slotDepth = static_cast<float>(core.defaultBobbin()->slotDepth);
        design.rules.sandwichWinding = sandwich;
        SearchSetup setup = SearchSetup::from(design);
        setup.core = CoreContext{core, *core.defaultBobbin(), *core.defaultBobbinIndex,
                                 *catalogue.findMaterial("N87")};
        NullSink sink;
        SearchCounters counters;
        const AnalysisResult result = runAnalysis(setup, counters, sink, Pacing::none(), {}).value();
        ASSERT_FALSE(result.solutions.empty()) << sandwich;
        const SolutionLossFigures& f = *result.solutions[0].figures;
        const WindingSheetContent c = *windingSheetContent(design, result, 0, {}, QDate(2026, 1, 2)).content;
        EXPECT_EQ(c.losses.coreLoss.value, f.coreLossW);
        EXPECT_EQ(c.losses.copperLoss.value, f.copperLossW);
        EXPECT_EQ(c.losses.temperatureRise.value, f.temperatureRiseK);
        EXPECT_TRUE(c.losses.auxiliaryCurrentZero);
        ASSERT_EQ(c.windings.size(), f.copper.windingCount) << sandwich;
        for (std::size_t k = 0; k < c.windings.size(); ++k)
            EXPECT_EQ(c.windings[k].resistance.value, f.copper.windings[k].resistance20) << k;
        EXPECT_EQ(c.windings.back().resistance.value, f.auxDcrOhm);
        if (f.noGap == NoGapReason::none) {
            EXPECT_EQ(c.core.correctedGap.value, f.gapMm);
        }

        // The same solution without its figures: gaps with their reason, as a custom core has.
        AnalysisResult custom = result;
        custom.solutions[0].figures.reset();
        const WindingSheetContent bare =
            *windingSheetContent(design, custom, 0, {}, QDate(2026, 1, 2)).content;
        EXPECT_EQ(bare.losses.coreLoss.gap, SheetGap::NoLossFigures);
        EXPECT_FALSE(bare.windings[0].resistance.value);
        EXPECT_FALSE(bare.losses.auxiliaryCurrentZero);
    }
}

}  // namespace
