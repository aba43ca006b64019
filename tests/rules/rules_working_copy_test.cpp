#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "rules/rules_working_copy.h"

TEST(RulesWorkingCopy, TruncatesTowardZeroWithinIntRange) {
    struct Case {
        float value;
        int expected;
    };
    const Case cases[] = {
        {7.9f, 7},
        {-3.0f, -3},
        {-7.9f, -7},
        {0.5f, 0},
        {2147483520.0f, 2147483520},
        {-2147483648.0f, INT_MIN},
        {2147483648.0f, INT_MAX},
        {1e12f, INT_MAX},
        {-1e12f, INT_MIN},
        {NAN, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(truncateToInt(c.value), c.expected) << c.value;
}
