#include <gtest/gtest.h>

#include <functional>

#include "engine/search.h"
#include "engine/winding_layout.h"

using namespace quillmere;

namespace {

std::vector<Solution> analyse(const Design& design) {
    return analyseNow(design).solutions;
}

// Every winding of every solution the search shows, counted again, fills its last layer as the
// record says.
TEST(WindingLayout, RecountedFillsAreTheRecordsOwn) {
    const struct {
        const char* what;
        std::function<void(Design&)> change;
        std::array<const char*, 4> names;
    } cases[] = {
        {"plain", [](Design&) {}, {"Np", "Ns", nullptr, "Nf"}},
        {"plain, two strands, slot reserve",
         [](Design& d) {
             d.rules.primaryStrands = 2;
             d.rules.secondaryStrands = 2;
             d.rules.slotWidthReserve = 5;
             d.inputs.slotWidth = 12;
         },
         {"Np", "Ns", nullptr, "Nf"}},
        {"sandwich", [](Design& d) { d.rules.sandwichWinding = 1; }, {"Np_1", "Ns", "Np_2", "Nf"}},
        {"sandwich, second half may change wire",
         [](Design& d) {
             d.rules.sandwichWinding = 1;
             d.rules.sandwichWireChange = true;
         },
         {"Np_1", "Ns", "Np_2", "Nf"}},
    };
    for (const auto& c : cases) {
        Design design;
        c.change(design);
        const auto records = analyse(design);
        ASSERT_GT(records.size(), 0u) << c.what;
        for (std::size_t k = 0; k < records.size(); ++k) {
            const auto windings = windingLayouts(records[k], design);
            for (std::size_t n = 0; n < 4; ++n) {
                ASSERT_EQ(windings[n].has_value(), c.names[n] != nullptr) << c.what << " winding " << n + 1;
                if (!windings[n]) continue;
                EXPECT_EQ(windings[n]->name, c.names[n]) << c.what;
                EXPECT_TRUE(windings[n]->matchesRecord)
                    << c.what << " solution " << k + 1 << " winding " << n + 1 << ": " << windings[n]->fill
                    << " vs " << windings[n]->recordFill;
                EXPECT_GE(windings[n]->layerCount, 1) << c.what;
            }
        }
    }
}

TEST(WindingLayout, WorkedSolutionLayers) {
    Design design;
    const auto records = analyse(design);
    const auto windings = windingLayouts(records.at(0), design);
    // Np 131 on 0.23 mm: 3.97 layers; Ns 48 on 0.3 mm: 2.00; Nf 27 on 0.12 mm: 0.40.
    EXPECT_EQ(windings[0]->layerCount, 4);
    EXPECT_EQ(windings[0]->wire, "0.23*1");
    EXPECT_EQ(windings[1]->layerCount, 2);
    EXPECT_EQ(windings[3]->layerCount, 1);
    EXPECT_EQ(windings[3]->turns, "27");

    // A slot changed after the analysis no longer holds the windings the record describes.
    design.inputs.slotWidth = 9;
    const auto changed = windingLayouts(records.at(0), design);
    EXPECT_FALSE(changed[0]->matchesRecord);
}

TEST(WindingLayout, SandwichOverflowUnderFivePercentCountsAsAFullLayer) {
    Design design;
    design.rules.sandwichWinding = 1;
    // Np_1 68 on 0.23 mm over 8.6 mm: 2.016 layers, the 0.016 squeezed into the second.
    // Ns 48 on 0.3 mm over 8.345 mm: 1.956 layers, a real partial layer.
    CandidateRecord record;
    record.score = 10.5f;
    record.primaryTurns = 68;
    record.secondaryTurns = 48;
    record.secondHalfTurns = 63;
    record.feedbackTurns = 27;
    record.sandwich = true;
    record.primaryWire = record.secondHalfWire = 0.23f;
    record.secondaryWire = 0.3f;
    record.feedbackWire = 0.12f;
    record.fills = {0.98f, 0.96f, 0.9f, 0.4f};
    const auto windings = windingLayouts({1, record, std::nullopt, std::nullopt}, design);
    EXPECT_EQ(windings[0]->layerCount, 2);
    EXPECT_TRUE(windings[0]->overflowCounted);
    EXPECT_NEAR(windings[0]->fill, 0.9837, 1e-4);
    EXPECT_EQ(windings[1]->layerCount, 2);
    EXPECT_FALSE(windings[1]->overflowCounted);
    EXPECT_EQ(windings[2]->wire, "0.23*1");
}

}  // namespace
