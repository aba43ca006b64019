// What the rules dialog edits, without the dialog: wire-set edits and the whole-number rule.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <initializer_list>

#include "rules/rules_working_copy.h"
#include "rules/wire_set_edit.h"

using namespace quillmere;

namespace {

WireSet setOf(std::initializer_list<int> entries) {
    WireSet set{};
    for (const int i : entries) addCatalogueWire(set, i);
    return set;
}

// The working copy carries the 19 numbers the dialog edits and the 5 ranking and loss rules of
// its "排序与限值", written out here apart from the field table, and leaves the options, the mode
// and the wire sets to the dialog.
TEST(RulesWorkingCopy, CarriesEveryNumberRuleAndNothingElse) {
    RuleSet numbers;
    float next = 1.25f;
    for (float* value : {&numbers.peakFlux,
                         &numbers.peakFluxSpan,
                         &numbers.onDuty,
                         &numbers.onDutySpan,
                         &numbers.frequency,
                         &numbers.frequencySpan,
                         &numbers.switchDrop,
                         &numbers.diodeDrop,
                         &numbers.tempRise,
                         &numbers.windDepthLimit,
                         &numbers.firstWindingMinShare,
                         &numbers.slotWidthReserve,
                         &numbers.tapeThickness,
                         &numbers.tapeTurns,
                         &numbers.outputDuty,
                         &numbers.idleRatio,
                         &numbers.secondaryStrands,
                         &numbers.operatingTemperature,
                         &numbers.maxTemperatureRise,
                         &numbers.maxFluxOfSaturation,
                         &numbers.maxTotalLoss})
        *value = next++;
    numbers.rankBy = static_cast<int>(RankBy::temperature);
    numbers.maxSolutions = 16777217;  // held as typed, a float: it comes back as 16777216
    numbers.primaryStrands = 7;
    numbers.ccMode = false;
    numbers.sandwichWinding = 1;
    numbers.evenTurns = true;
    numbers.primaryWires = WireSet{};

    RuleSet written;
    RulesWorkingCopy::from(numbers).writeTo(written);
    RuleSet expected = numbers;
    expected.maxSolutions = 16777216;
    expected.ccMode = written.ccMode;
    expected.sandwichWinding = written.sandwichWinding;
    expected.evenTurns = written.evenTurns;
    expected.primaryWires = written.primaryWires;
    EXPECT_EQ(written, expected);
    EXPECT_EQ(written.ccMode, RuleSet{}.ccMode);
    EXPECT_EQ(written.primaryWires, RuleSet::defaultPrimaryWires());
}

TEST(WireSetEdit, RemoveCountsListedRowsNotSlots) {
    const struct {
        WireSet set;
        int row;
        bool removed;
        WireSet left;
    } cases[] = {
        {setOf({10, 11, 12}), 1, true, setOf({10, 12})}, {setOf({10, 11, 12}), 0, true, setOf({11, 12})},
        {setOf({3, 29}), 1, true, setOf({3})},           {setOf({10, 11, 12}), 3, false, setOf({10, 11, 12})},
        {setOf({10}), -1, false, setOf({10})},           {setOf({}), 0, false, setOf({})},
    };
    for (const auto& c : cases) {
        WireSet set = c.set;
        EXPECT_EQ(removeListedWire(set, c.row), c.removed) << c.row;
        EXPECT_EQ(set, c.left) << c.row;
    }
}

TEST(RulesWorkingCopy, TruncatesTowardZeroWithinIntRange) {
    const struct {
        float value;
        int expected;
    } cases[] = {{7.9f, 7},         {-7.9f, -7}, {2147483520.0f, 2147483520}, {2147483648.0f, INT_MAX},
                 {-1e12f, INT_MIN}, {NAN, 0}};
    for (const auto& c : cases) EXPECT_EQ(truncateToInt(c.value), c.expected) << c.value;
}

}  // namespace
