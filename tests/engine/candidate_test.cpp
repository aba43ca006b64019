#include <gtest/gtest.h>

#include <functional>

#include "engine/candidate.h"
#include "engine/number_text.h"

using namespace quillmere;

namespace {

SearchSetup defaults() {
    return SearchSetup{DesignInputs{}, RuleSet{}, std::nullopt};
}

TEST(Candidate, WorkedExampleInCcMode) {
    const ElectricalDesign e = designElectrical(defaults(), 52, GridPoint{42, 81, 49, 2620});
    EXPECT_FALSE(e.rejected);
    EXPECT_EQ(numberText(e.ipkSecondary), "1.32");
    EXPECT_EQ(numberText(e.reflectedVoltage), "64.68");
    EXPECT_EQ(numberText(e.turnsRatio), "2.717647");
    EXPECT_EQ(numberText(e.ipkPrimary), "0.5119878");
    EXPECT_EQ(e.inductance, 1300);   // 1289.09 snapped
    EXPECT_EQ(e.primaryTurns, 131);  // 131.2023 rounded
    EXPECT_EQ(e.secondaryTurns, 48);
    EXPECT_EQ(e.feedbackTurns, 27);
    EXPECT_EQ(numberText(e.inputCapacitance), "9.962223");
    EXPECT_NEAR(e.skinDepthLimit, 0.7477, 5e-5);
    // Taken in single precision, 10 − tc slips the last digit here: 9.208675.
    EXPECT_EQ(numberText(designElectrical(defaults(), 52, GridPoint{42, 77, 49, 2620}).inputCapacitance),
              "9.208674");
}

TEST(Candidate, CcModeCurrentsAndReflectedVoltage) {
    SearchSetup s = defaults();
    EXPECT_EQ(numberText(designElectrical(s, 52, GridPoint{42, 100, 52, 2600}).reflectedVoltage), "80.64");
    s.inputs.outputCurrent = 1;
    EXPECT_EQ(designElectrical(s, 52, GridPoint{42, 100, 52, 2600}).ipkSecondary, 4.0f);
}

TEST(Candidate, CvModeUsesTheIdleRatio) {
    SearchSetup s = defaults();
    s.rules.ccMode = false;
    const ElectricalDesign e = designElectrical(s, 52, GridPoint{42, 81, 52, 2600});
    EXPECT_FLOAT_EQ(e.ipkSecondary, static_cast<float>(2 * 0.33 / 0.38));
    // The working frequency, not the grid's, sets the inductance and turns of CV mode.
    const ElectricalDesign other = designElectrical(s, 52, GridPoint{42, 81, 49, 2600});
    EXPECT_EQ(e.inductance, other.inductance);
    EXPECT_EQ(e.primaryTurns, other.primaryTurns);
    EXPECT_NE(e.skinDepthLimit, other.skinDepthLimit);
}

TEST(Candidate, InductanceSnapsToStandardValues) {
    const struct {
        float lp;
        std::optional<float> snapped;
    } cases[] = {
        {1040, std::nullopt}, {1020, 1000.0f},       {237, 250.0f},       {230, std::nullopt},
        {990, 1000.0f},       {985, std::nullopt},  // exactly 15 from 1000 is too far
        {986, 1000.0f},       {1000, 1000.0f},       {1289.09f, 1300.0f}, {1335, std::nullopt},
        {1334.9f, 1300.0f},   {10040, std::nullopt}, {9965.1f, 10000.0f}, {36, 50.0f},
        {35, std::nullopt},   {50, 50.0f},
    };
    for (const auto& c : cases) EXPECT_EQ(snapInductance(c.lp), c.snapped) << c.lp;
}

TEST(Candidate, TurnsRoundHalfUp) {
    const struct {
        double in, out;
    } cases[] = {{41.5, 42}, {41.49, 41}, {131.2023, 131}, {0.5, 1}, {0.49, 0}, {-1.7, -1}};
    for (const auto& c : cases) EXPECT_EQ(roundTurns(c.in), c.out) << c.in;
}

TEST(Candidate, EvenTurnsRejectsOddPrimaries) {
    SearchSetup s = defaults();
    s.rules.evenTurns = true;
    EXPECT_TRUE(designElectrical(s, 52, GridPoint{42, 81, 49, 2620}).rejected);  // Np 131
    bool sawEven = false;
    for (int b = 2400; b <= 2800; b += 20) {
        const ElectricalDesign e = designElectrical(s, 52, GridPoint{42, 81, 49, b});
        const ElectricalDesign plain = designElectrical(defaults(), 52, GridPoint{42, 81, 49, b});
        if (!plain.rejected && static_cast<int>(plain.primaryTurns) % 2 == 0) {
            EXPECT_FALSE(e.rejected) << b;
            sawEven = true;
        }
    }
    EXPECT_TRUE(sawEven);
}

TEST(Candidate, SkinDepthLimitFollowsFrequency) {
    EXPECT_NEAR(designElectrical(defaults(), 52, GridPoint{42, 81, 52, 2600}).skinDepthLimit, 0.7259, 1e-4);
    const float at100 = designElectrical(defaults(), 52, GridPoint{42, 81, 100, 2600}).skinDepthLimit;
    EXPECT_NEAR(at100, 0.5234, 5e-5);
    EXPECT_LT(0.51f, at100);
    EXPECT_GT(0.53f, at100);
    SearchSetup off = defaults();
    off.rules.skinEffect = 0;
    EXPECT_EQ(designElectrical(off, 52, GridPoint{42, 81, 100, 2600}).skinDepthLimit, 5000.0f);
}

// Inputs that divide by zero or leave the real numbers reject the candidate instead of
// storing inf or nan.
TEST(Candidate, DegenerateInputsAreRejected) {
    const struct {
        const char* what;
        std::function<void(SearchSetup&)> change;
    } cases[] = {
        {"output duty 0", [](SearchSetup& s) { s.rules.outputDuty = 0; }},
        {"output voltage 0", [](SearchSetup& s) { s.inputs.outputVoltage = 0; }},
        {"Vout + Vd = 0", [](SearchSetup& s) { s.inputs.outputVoltage = -0.8f; }},
        {"Ae 0", [](SearchSetup& s) { s.inputs.coreAe = 0; }},
        {"bus voltage equals switch drop", [](SearchSetup& s) { s.rules.switchDrop = 81; }},
        {"efficiency 0", [](SearchSetup& s) { s.inputs.efficiency = 0; }},
        {"efficiency negative", [](SearchSetup& s) { s.inputs.efficiency = -5; }},
        {"rectified voltage above the AC peak", [](SearchSetup& s) { s.inputs.minInputVac = 50; }},
        {"CV: output current 0",
         [](SearchSetup& s) {
             s.rules.ccMode = false;
             s.inputs.outputCurrent = 0;
         }},
    };
    for (const auto& c : cases) {
        SearchSetup s = defaults();
        c.change(s);
        EXPECT_TRUE(designElectrical(s, 52, GridPoint{42, 81, 49, 2620}).rejected) << c.what;
    }
}

// Finite but physically impossible designs: turns, peak currents or reflected voltage at or
// below zero. A feedback winding of no turns is still a design.
TEST(Candidate, ImpossibleDesignsAreRejected) {
    const struct {
        const char* what;
        std::function<void(SearchSetup&)> change;
        int onDuty;
        bool rejected;
    } cases[] = {
        {"CV: on-duty plus idle over 100 %", [](SearchSetup& s) { s.rules.ccMode = false; }, 85, true},
        {"CV: idle ratio 60 %",
         [](SearchSetup& s) {
             s.rules.ccMode = false;
             s.rules.idleRatio = 60;
         },
         42, true},
        {"negative feedback voltage", [](SearchSetup& s) { s.inputs.feedbackVoltage = -13; }, 42, true},
        {"primary rounds to no turns", [](SearchSetup& s) { s.inputs.coreAe = 1e5f; }, 42, true},
        {"feedback voltage 0", [](SearchSetup& s) { s.inputs.feedbackVoltage = 0; }, 42, false},
        {"CV within 100 %", [](SearchSetup& s) { s.rules.ccMode = false; }, 78, false},
    };
    for (const auto& c : cases) {
        SearchSetup s = defaults();
        c.change(s);
        const ElectricalDesign e = designElectrical(s, 52, GridPoint{c.onDuty, 81, 49, 2620});
        EXPECT_EQ(e.rejected, c.rejected) << c.what;
    }
}

}  // namespace
