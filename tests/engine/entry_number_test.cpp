#include <gtest/gtest.h>

#include "engine/entry_number.h"

using namespace quillmere;

namespace {

TEST(EntryNumber, FloatEntries) {
    const struct {
        const char* text;
        bool accepted;
        float value;
    } cases[] = {
        {"90", true, 90},
        {" \t19.2\t ", true, 19.2f},
        {"0", true, 0},
        {"0.0", true, 0},
        {"-3", true, -3},
        {"1e3", true, 1000},
        {"2.5E-1", true, 0.25f},
        {".5", true, 0.5f},
        {"", false, 0},
        {"   ", false, 0},
        {".0", false, 0},
        {"-0", false, 0},
        {"+0", false, 0},
        {"abc", false, 0},
        {"12abc", false, 0},
        {"1 2", false, 0},
        {"1e", false, 0},
        {"1e999", false, 0},
        {"nan", false, 0},
        {"inf", false, 0},
        {"0x10", false, 0},
        {"1,5", false, 0},
        // A zero as a float counts as typed zero: only a text starting with 0 gives it.
        {"-1e-46", false, 0},
        {"1e-46", false, 0},
        {"0e-46", true, 0},
        {"00.000", true, 0},
        {"1e-45", true, 1e-45f},
        {"-1.4e-45", true, -1.4e-45f},
    };
    for (const auto& c : cases) {
        const auto value = parseEntryFloat(c.text);
        ASSERT_EQ(value.has_value(), c.accepted) << '"' << c.text << '"';
        if (c.accepted) {
            EXPECT_EQ(*value, c.value) << c.text;
        }
    }
}

TEST(EntryNumber, IntegerEntries) {
    const struct {
        const char* text;
        bool accepted;
        int value;
    } cases[] = {
        {"1", true, 1},    {" 2 ", true, 2}, {"-3", true, -3}, {"+4", true, 4},           {"0", true, 0},
        {"2.5", false, 0}, {"-0", false, 0}, {"", false, 0},   {"99999999999", false, 0}, {"1e2", false, 0},
    };
    for (const auto& c : cases) {
        const auto value = parseEntryInt(c.text);
        ASSERT_EQ(value.has_value(), c.accepted) << '"' << c.text << '"';
        if (c.accepted) {
            EXPECT_EQ(*value, c.value) << c.text;
        }
    }
}

}  // namespace
