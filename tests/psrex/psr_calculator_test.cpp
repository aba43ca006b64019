#include "psrex/psr_calculator.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace {

// The defaults with one change, written as a lambda in the tables.
PsrFields with(void (*change)(PsrFields&)) {
    PsrFields fields;
    change(fields);
    return fields;
}

PsrFields analysedDefaults() {
    return analyse(PsrFields{})->fields;
}

template <typename Case>
requires requires(const Case& c) {
    c.name;
}
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

struct AnalyseCase {
    const char* name;
    PsrFields inputs;
    float inductance;
    float actualFrequency;
    double turnsRatio;  // to the 6 digits the field shows
    int primary;
    int secondary;
    float feedback;
    std::string minLabel;
    std::string maxLabel;
};

class AnalyseResults : public ::testing::TestWithParam<AnalyseCase> {};

TEST_P(AnalyseResults, GiveTheWorkedDesigns) {
    const AnalyseCase& c = GetParam();
    const auto out = analyse(c.inputs);
    ASSERT_TRUE(out);
    EXPECT_EQ(out->fields.exInductance, c.inductance);
    EXPECT_EQ(out->fields.exActualFrequency, c.actualFrequency);
    EXPECT_NEAR(out->fields.exTurnsRatio, c.turnsRatio, 5e-6 * c.turnsRatio);
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
    ::testing::Values(AnalyseCase{"Defaults", PsrFields{}, 1200, 52, 2.60465, 136, 52, 26, "170Ts", "113Ts"},
                      // 60 and 59 kHz land 35 µH or more away from a multiple of 100; 61 kHz snaps to 4600.
                      AnalyseCase{"FiveVolts", with([](PsrFields& f) {
                                      f.exOutputVoltage = 5;
                                      f.exWantedFrequency = 60;
                                  }),
                                  4600, 61, 11.5862, 115, 10, 23, "144Ts", "96Ts"},
                      // A fraction of a primary turn: no secondary turns, so no feedback turns either.
                      AnalyseCase{"NoSecondaryTurns", with([](PsrFields& f) { f.exCoreAe = 2000; }), 1200, 52,
                                  2.60465, 1, 0, 0, "1Ts", "1Ts"}),
    [](const auto& info) { return std::string(info.param.name); });

struct SweepCase {
    const char* name;
    PsrFields inputs;
    bool matched;
    float actualFrequency;
    float inductance;
};

class FrequencySweep : public ::testing::TestWithParam<SweepCase> {};

TEST_P(FrequencySweep, EndsAtTheNearestSnappingFrequency) {
    const SweepCase& c = GetParam();
    const auto sweep = sweepFrequency(c.inputs);
    ASSERT_TRUE(sweep);
    EXPECT_EQ(sweep->matched, c.matched);
    EXPECT_EQ(sweep->actualFrequency, c.actualFrequency);
    EXPECT_NEAR(sweep->inductance, c.inductance, 0.001);
}

INSTANTIATE_TEST_SUITE_P(
    Frequencies, FrequencySweep,
    ::testing::Values(
        // 20 kHz gives 3145 µH; both neighbours snap, and the lower one is tried first.
        SweepCase{"LowerSideFirst", with([](PsrFields& f) { f.exWantedFrequency = 20; }), true, 19, 3300},
        SweepCase{"UpperNeighbourSnapsToo", with([](PsrFields& f) { f.exWantedFrequency = 21; }), true, 21,
                  3000},
        SweepCase{"ExactlyOnAMultiple", with([](PsrFields& f) {
                      f.exOutputCurrent = 0.741296709f;
                      f.exWantedFrequency = 40;
                  }),
                  true, 40, 700},
        // Far below 35 µH at every frequency: 52, 51, 53, …, 1, 103, and the next would be 0.
        SweepCase{"NoMatchKeepsTheLastRawValue", with([](PsrFields& f) { f.exOutputCurrent = 1000; }), false,
                  103, 0.2015},
        SweepCase{"WantedZeroTriesNothing", with([](PsrFields& f) { f.exWantedFrequency = 0; }), false, 0, 0},
        SweepCase{"WantedBelowZeroTriesNothing", with([](PsrFields& f) { f.exWantedFrequency = -5; }), false,
                  0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusedCase {
    const char* name;
    PsrFields inputs;
    PsrInput named;
};

class RefusedInputs : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedInputs, NameTheInputToCorrect) {
    const auto out = analyse(GetParam().inputs);
    ASSERT_FALSE(out);
    EXPECT_EQ(out.refused(), GetParam().named);
}

INSTANTIATE_TEST_SUITE_P(
    Degenerate, RefusedInputs,
    ::testing::Values(
        RefusedCase{"OutputCancelsDrop", with([](PsrFields& f) { f.exOutputVoltage = -0.8f; }),
                    PsrInput::OutputVoltage},
        // Fits at 2500 gauss, but the secondary turns at 2000 gauss are beyond any integer.
        RefusedCase{"SecondaryTurnsBeyondIntAtTheSliderEnd",
                    with([](PsrFields& f) { f.exOutputVoltage = 2e9f; }), PsrInput::OutputVoltage},
        RefusedCase{"NoCurrent", with([](PsrFields& f) { f.exOutputCurrent = 0; }), PsrInput::OutputCurrent},
        // So small that the peak current underflows to 0 in single precision.
        RefusedCase{"VanishingCurrent", with([](PsrFields& f) { f.exOutputCurrent = 1e-45f; }),
                    PsrInput::OutputCurrent},
        RefusedCase{"NoEfficiency", with([](PsrFields& f) { f.exEfficiency = 0; }), PsrInput::Efficiency},
        RefusedCase{"NegativeEfficiency", with([](PsrFields& f) { f.exEfficiency = -90; }),
                    PsrInput::Efficiency},
        RefusedCase{"NoCoreArea", with([](PsrFields& f) { f.exCoreAe = 0; }), PsrInput::CoreAe},
        RefusedCase{"VanishingCoreArea", with([](PsrFields& f) { f.exCoreAe = 1e-30f; }), PsrInput::CoreAe},
        RefusedCase{"WantedTooHigh", with([](PsrFields& f) { f.exWantedFrequency = 10000.5f; }),
                    PsrInput::WantedFrequency},
        // First run with nothing to sweep: there is no frequency to take the turns from.
        RefusedCase{"NoFrequencyYet", with([](PsrFields& f) { f.exWantedFrequency = 0; }),
                    PsrInput::WantedFrequency},
        RefusedCase{"VanishingFrequency", with([](PsrFields& f) { f.exWantedFrequency = 1e-38f; }),
                    PsrInput::WantedFrequency},
        RefusedCase{"FeedbackTurnsBeyondFloat", with([](PsrFields& f) { f.exFeedbackVoltage = 3e38f; }),
                    PsrInput::FeedbackVoltage},
        // Checked in the order the fields are read: the core area comes first.
        RefusedCase{"FirstReadIsNamed", with([](PsrFields& f) {
                        f.exOutputCurrent = 0;
                        f.exCoreAe = 0;
                    }),
                    PsrInput::CoreAe}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Analyse, WantedZeroKeepsTheLastSweep) {
    PsrFields fields = analysedDefaults();
    fields.exWantedFrequency = 0;
    fields.exCoreAe = 38;
    const auto out = analyse(fields);
    ASSERT_TRUE(out);
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
    const SliderCase& c = GetParam();
    EXPECT_EQ(fluxLabelText(c.position), c.label);
    EXPECT_EQ(fluxLabelColour(c.position), c.colour);
    const auto turns = turnsForSlider(analysedDefaults(), c.position);
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

TEST(SliderTurns, NeedAFrequencyFirst) {
    EXPECT_FALSE(turnsForSlider(PsrFields{}, 0).has_value());
}

}  // namespace
