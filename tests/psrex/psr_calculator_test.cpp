#include "psrex/psr_calculator.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <ostream>
#include <string>

namespace {

PsrFields withOutput(float volts, float wantedKHz) {
    PsrFields fields;
    fields.exOutputVoltage = volts;
    fields.exWantedFrequency = wantedKHz;
    return fields;
}

struct AnalyseCase {
    const char* name;
    PsrFields inputs;
    float inductance;
    float actualFrequency;
    std::string turnsRatio;  // as the field shows it
    int primary;
    int secondary;
    float feedback;
    std::string minLabel;
    std::string maxLabel;
};

void PrintTo(const AnalyseCase& c, std::ostream* os) {
    *os << c.name;
}

std::string shown(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*g", 6, static_cast<double>(value));
    return text;
}

class AnalyseResults : public ::testing::TestWithParam<AnalyseCase> {};

TEST_P(AnalyseResults, GiveTheWorkedDesigns) {
    const AnalyseCase& c = GetParam();
    const auto out = analyse(c.inputs);
    ASSERT_TRUE(out.has_value());
    EXPECT_EQ(out->fields.exInductance, c.inductance);
    EXPECT_EQ(out->fields.exActualFrequency, c.actualFrequency);
    EXPECT_EQ(shown(out->fields.exTurnsRatio), c.turnsRatio);
    EXPECT_EQ(out->fields.exPrimaryTurns, c.primary);
    EXPECT_EQ(out->fields.exSecondaryTurns, c.secondary);
    EXPECT_EQ(out->fields.exFeedbackTurns, c.feedback);
    EXPECT_EQ(out->minLabel, c.minLabel);
    EXPECT_EQ(out->maxLabel, c.maxLabel);
    // Analyse leaves the inputs as they were read.
    EXPECT_EQ(out->fields.exOutputVoltage, c.inputs.exOutputVoltage);
    EXPECT_EQ(out->fields.exWantedFrequency, c.inputs.exWantedFrequency);
}

INSTANTIATE_TEST_SUITE_P(
    Designs, AnalyseResults,
    ::testing::Values(
        AnalyseCase{"Defaults", PsrFields{}, 1200, 52, "2.60465", 136, 52, 26, "170Ts", "113Ts"},
        // 60 and 59 kHz land 35 µH or more away from a multiple of 100; 61 kHz snaps to 4600.
        AnalyseCase{"FiveVolts", withOutput(5, 60), 4600, 61, "11.5862", 115, 10, 23, "144Ts", "96Ts"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FrequencySweep, TakesTheLowerSideFirstAtEqualDistance) {
    PsrFields fields;
    fields.exWantedFrequency = 20;
    // Both neighbours of 20 kHz snap on their own; 20 kHz itself does not.
    const auto below = [&] {
        PsrFields f = fields;
        f.exWantedFrequency = 19;
        return sweepFrequency(f);
    }();
    const auto above = [&] {
        PsrFields f = fields;
        f.exWantedFrequency = 21;
        return sweepFrequency(f);
    }();
    ASSERT_TRUE(below && above);
    ASSERT_EQ(below->actualFrequency, 19);
    ASSERT_EQ(above->actualFrequency, 21);

    const auto sweep = sweepFrequency(fields);
    ASSERT_TRUE(sweep);
    EXPECT_TRUE(sweep->matched);
    EXPECT_EQ(sweep->actualFrequency, 19);
    EXPECT_EQ(sweep->inductance, below->inductance);
}

TEST(FrequencySweep, StopsAtAnInductanceExactlyOnAMultiple) {
    PsrFields fields;
    fields.exOutputCurrent = 0.741296709f;  // gives exactly 700 µH at 40 kHz
    fields.exWantedFrequency = 40;
    const auto sweep = sweepFrequency(fields);
    ASSERT_TRUE(sweep);
    EXPECT_TRUE(sweep->matched);
    EXPECT_EQ(sweep->actualFrequency, 40);
    EXPECT_EQ(sweep->inductance, 700);
}

TEST(FrequencySweep, WithoutAMatchKeepsTheLastFrequencyAndItsRawInductance) {
    PsrFields fields;
    fields.exOutputCurrent = 1000;  // far below 35 µH at every frequency from 1 kHz up
    const auto sweep = sweepFrequency(fields);
    ASSERT_TRUE(sweep);
    EXPECT_FALSE(sweep->matched);
    // 52, 51, 53, …, 1, 103: the next one would be 0.
    EXPECT_EQ(sweep->actualFrequency, 103);
    EXPECT_GT(sweep->inductance, 0);
    EXPECT_LT(sweep->inductance, 1);
}

TEST(FrequencySweep, TriesNothingForAWantedFrequencyOfZeroOrBelow) {
    for (float wanted : {0.0f, -5.0f}) {
        PsrFields fields;
        fields.exWantedFrequency = wanted;
        const auto sweep = sweepFrequency(fields);
        ASSERT_TRUE(sweep);
        EXPECT_EQ(sweep->actualFrequency, 0);
        EXPECT_FALSE(sweep->matched);
    }
}

struct RefusedCase {
    const char* name;
    PsrFields inputs;
};

PsrFields changed(void (*change)(PsrFields&)) {
    PsrFields fields;
    change(fields);
    return fields;
}

void PrintTo(const RefusedCase& c, std::ostream* os) {
    *os << c.name;
}

class RefusedInputs : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedInputs, ComputeNothing) {
    EXPECT_FALSE(analyse(GetParam().inputs).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Degenerate, RefusedInputs,
    ::testing::Values(
        RefusedCase{"OutputCancelsDrop", changed([](PsrFields& f) { f.exOutputVoltage = -0.8f; })},
        RefusedCase{"NoCurrent", changed([](PsrFields& f) { f.exOutputCurrent = 0; })},
        RefusedCase{"NoEfficiency", changed([](PsrFields& f) { f.exEfficiency = 0; })},
        RefusedCase{"NegativeEfficiency", changed([](PsrFields& f) { f.exEfficiency = -90; })},
        RefusedCase{"NoCoreArea", changed([](PsrFields& f) { f.exCoreAe = 0; })},
        RefusedCase{"WantedTooHigh", changed([](PsrFields& f) { f.exWantedFrequency = 10000.5f; })},
        // A current so small that the peak current underflows to 0 in single precision.
        RefusedCase{"VanishingCurrent", changed([](PsrFields& f) { f.exOutputCurrent = 1e-45f; })},
        // Turns beyond any integer.
        RefusedCase{"VanishingCoreArea", changed([](PsrFields& f) { f.exCoreAe = 1e-30f; })},
        // First run with nothing to sweep: there is no frequency to take the turns from.
        RefusedCase{"NoFrequencyYet", changed([](PsrFields& f) { f.exWantedFrequency = 0; })}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Analyse, WithoutSecondaryTurnsGivesNoFeedbackTurns) {
    PsrFields fields;
    fields.exCoreAe = 2000;  // a fraction of a primary turn
    const auto out = analyse(fields);
    ASSERT_TRUE(out.has_value());
    EXPECT_EQ(out->fields.exPrimaryTurns, 1);
    EXPECT_EQ(out->fields.exSecondaryTurns, 0);
    EXPECT_EQ(out->fields.exFeedbackTurns, 0);
}

TEST(Analyse, WantedZeroKeepsTheLastSweep) {
    PsrFields fields = analyse(PsrFields{})->fields;
    fields.exWantedFrequency = 0;
    fields.exCoreAe = 38;
    const auto out = analyse(fields);
    ASSERT_TRUE(out.has_value());
    EXPECT_EQ(out->fields.exActualFrequency, 52);
    EXPECT_EQ(out->fields.exInductance, 1200);
    EXPECT_EQ(out->fields.exPrimaryTurns, 68);  // half the core area of 19 mm²
}

struct SliderCase {
    int position;
    std::string label;
    std::optional<Rgb> colour;
    int primary;
    int secondary;
    float feedback;
};

void PrintTo(const SliderCase& c, std::ostream* os) {
    *os << "position " << c.position;
}

class SliderTurns : public ::testing::TestWithParam<SliderCase> {};

TEST_P(SliderTurns, FollowTheFluxDensity) {
    const SliderCase c = GetParam();
    const PsrFields analysed = analyse(PsrFields{})->fields;
    EXPECT_EQ(fluxLabelText(c.position), c.label);
    EXPECT_EQ(fluxLabelColour(c.position), c.colour);
    const auto turns = turnsForSlider(analysed, c.position);
    ASSERT_TRUE(turns.has_value());
    EXPECT_EQ(turns->primary, c.primary);
    EXPECT_EQ(turns->secondary, c.secondary);
    EXPECT_EQ(turns->feedback, c.feedback);
}

constexpr Rgb kGreen{0, 150, 0};
constexpr Rgb kPink{255, 10, 128};
constexpr Rgb kRed{255, 0, 0};

INSTANTIATE_TEST_SUITE_P(Positions, SliderTurns,
                         ::testing::Values(SliderCase{0, "2000GS", kGreen, 170, 65, 33},
                                           SliderCase{19, "2190GS", kGreen, 155, 60, 30},
                                           SliderCase{20, "2200GS", std::nullopt, 154, 59, 30},
                                           SliderCase{21, "2210GS", kPink, 153, 59, 30},
                                           SliderCase{50, "2500GS", kPink, 136, 52, 26},
                                           SliderCase{79, "2790GS", kPink, 121, 46, 23},
                                           SliderCase{80, "2800GS", std::nullopt, 121, 46, 23},
                                           SliderCase{81, "2810GS", kRed, 121, 46, 23},
                                           SliderCase{100, "3000GS", kRed, 113, 43, 22}));

TEST(SliderTurns, NeedAFrequencyAndACoreArea) {
    EXPECT_FALSE(turnsForSlider(PsrFields{}, 0).has_value());  // before the first Analyse
    PsrFields fields = analyse(PsrFields{})->fields;
    fields.exCoreAe = 0;
    EXPECT_FALSE(turnsForSlider(fields, 50).has_value());
    fields = analyse(PsrFields{})->fields;
    fields.exTurnsRatio = 0;
    EXPECT_FALSE(turnsForSlider(fields, 50).has_value());
    fields = analyse(PsrFields{})->fields;
    fields.exFeedbackVoltage = 3e38f;  // feedback turns beyond any float
    EXPECT_FALSE(turnsForSlider(fields, 50).has_value());
}

}  // namespace
