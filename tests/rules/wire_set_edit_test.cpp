#include <gtest/gtest.h>

#include <initializer_list>

#include "rules/wire_set_edit.h"

namespace {

WireSet setOf(std::initializer_list<int> entries) {
    WireSet set{};
    for (const int i : entries) addCatalogueWire(set, i);
    return set;
}

}  // namespace

TEST(WireSetEdit, RemoveCountsListedRowsNotSlots) {
    struct Case {
        WireSet set;
        int row;
        bool removed;
        WireSet left;
    };
    const Case cases[] = {
        {setOf({10, 11, 12}), 1, true, setOf({10, 12})}, {setOf({10, 11, 12}), 0, true, setOf({11, 12})},
        {setOf({3, 29}), 1, true, setOf({3})},           {setOf({10, 11, 12}), 3, false, setOf({10, 11, 12})},
        {setOf({10}), -1, false, setOf({10})},           {setOf({}), 0, false, setOf({})},
    };
    for (const Case& c : cases) {
        WireSet set = c.set;
        EXPECT_EQ(removeListedWire(set, c.row), c.removed) << c.row;
        EXPECT_EQ(set, c.left) << c.row;
    }
}
