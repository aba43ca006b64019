#include <gtest/gtest.h>

#include <cmath>

#include "engine/winding_fit.h"
#include "engine/wire_catalogue.h"

using namespace quillmere;

namespace {

TEST(WindingFit, OuterDiameterBands) {
    const struct {
        int entry;
        float outer;
    } cases[] = {
        {0, 0.12f},   {8, 0.20f},   {9, 0.21f},    // 0.19 is stored just below 0.19
        {10, 0.225f}, {12, 0.255f}, {13, 0.275f},  // 0.25 takes the thin allowance
        {14, 0.31f},  {16, 0.34f},  {20, 0.44f},   // 0.27 to 0.40
        {21, 0.50f},  {29, 0.67f},
    };
    for (const auto& c : cases) {
        EXPECT_FLOAT_EQ(outerDiameter(WireCatalogue::value(c.entry)), c.outer)
            << WireCatalogue::text(c.entry);
    }
}

TEST(WindingFit, LayersAndLastLayerFill) {
    // W = 10, Dp = 0.225, 60 turns: 59 / 43.44 layers.
    const auto plain = layersOf(59, (10 - 0.225) / 0.225);
    ASSERT_TRUE(plain);
    EXPECT_NEAR(plain->value, 1.358, 1e-3);
    EXPECT_EQ(plain->count, 2);
    EXPECT_NEAR(plain->fraction, 0.358, 1e-3);

    const auto full = layersOf(86, 43);
    ASSERT_TRUE(full);
    EXPECT_EQ(full->count, 2);
    EXPECT_EQ(full->fraction, 0);

    const auto none = layersOf(-1, 30);  // Np = 0
    ASSERT_TRUE(none);
    EXPECT_EQ(none->count, 0);
}

TEST(WindingFit, NoWidthLeftHasNoLayers) {
    EXPECT_FALSE(layersOf(10, 0));
    EXPECT_FALSE(layersOf(10, -2.5));
    EXPECT_FALSE(layersOf(10, INFINITY));  // a zero turn width
    EXPECT_FALSE(layersOf(10, NAN));
}

TEST(WindingFit, FullLayersFold) {
    EXPECT_FLOAT_EQ(foldFullLayer(0.0f), 1.0f);
    EXPECT_FLOAT_EQ(foldFullLayer(0.03f), 0.97f);
    EXPECT_FLOAT_EQ(foldFullLayer(0.96f), 0.96f);
}

}  // namespace
