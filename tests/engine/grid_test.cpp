#include <gtest/gtest.h>

#include <cmath>

#include <limits>
#include <vector>

#include "engine/grid.h"

using namespace quillmere;

namespace {

std::vector<int> values(const LoopRange& r) {
    std::vector<int> out;
    for (int k = 0; k < r.count; ++k) out.push_back(r.at(k));
    return out;
}

TEST(Grid, LoopRanges) {
    const struct {
        float centre, span;
        int step;
        std::vector<int> expected;
    } cases[] = {
        {42, 0, 1, {42}},
        {42.7f, 0, 1, {42}},  // start truncated, 43 > 42.7
        {100.5f, 2, 1, {98, 99, 100, 101, 102}},
        {0.5f, 1, 1, {0, 1}},  // -0.5 truncates toward zero
        {2600, 40, 20, {2560, 2580, 2600, 2620, 2640}},
        // A negative span still runs the truncated start when it does not exceed the end.
        {42, -1, 1, {}},
        {42.2f, -0.2f, 1, {42}},
        {45.3f, -0.2f, 1, {45}},
        {2600, -20, 20, {}},
    };
    for (const auto& c : cases) {
        const auto r = loopRange(c.centre, c.span, c.step);
        ASSERT_TRUE(r);
        EXPECT_EQ(values(*r), c.expected) << c.centre << " ± " << c.span;
    }
    EXPECT_EQ(loopRange(2600, 200, 20)->count, 21);
}

TEST(Grid, RulesBeyondThe32BitLoopsAreRefused) {
    const float big = 3e9f;
    EXPECT_FALSE(loopRange(big, 0, 1));
    EXPECT_FALSE(loopRange(-big, 0, 1));
    EXPECT_FALSE(loopRange(0, big, 1));
    EXPECT_FALSE(loopRange(2147483520.0f, 200, 20));  // the end lies beyond the loop variable
    EXPECT_TRUE(loopRange(2147483520.0f, 0, 20));     // its last step still fits
    EXPECT_FALSE(loopRange(INFINITY, 0, 1));
    EXPECT_FALSE(loopRange(NAN, 0, 1));
    EXPECT_TRUE(loopRange(2e9f, 0, 1));
}

TEST(Grid, DefaultsCountTheirCandidates) {
    const auto grid = searchGrid(SearchSetup{DesignInputs{}, RuleSet{}, std::nullopt});
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->points(), 1 * 5 * 7 * 21);
    EXPECT_EQ(grid->candidates(), 661500);
    EXPECT_EQ(grid->progressTotal, 661500);
}

TEST(Grid, OnlyGridsOverTenThousandDefaultsAreLarge) {
    // The default grid holds 661,500 candidates: the edge lies at 6,615,000,000.
    const struct {
        float onDutySpan, frequencySpan;
        double large;  ///< 0: not large
    } cases[] = {
        {0, 3, 0},
        {4999, 3, 0},                      // 9,999 duties
        {5000, 3, 10001.0 * 661500},       // 10,001 duties, just over
        {0, 34990, 0},                     // 69,981 frequencies
        {0, 35003, 70007.0 * 94500},       // 70,007 frequencies
        {1e9f, 3, 2000000001.0 * 661500},  // counted without overflow
        {3e9f, 3, 0},                      // refused by the loops, not counted
    };
    for (const auto& c : cases) {
        RuleSet rules;
        rules.onDutySpan = c.onDutySpan;
        rules.frequencySpan = c.frequencySpan;
        const std::optional<double> large =
            largeGridCandidates(SearchSetup{DesignInputs{}, rules, std::nullopt});
        EXPECT_EQ(large.value_or(0), c.large) << c.onDutySpan << " " << c.frequencySpan;
    }
}

}  // namespace
