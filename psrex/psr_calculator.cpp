#include "psrex/psr_calculator.h"

#include <cmath>
#include <limits>

#include "engine/candidate.h"
#include "engine/number_text.h"

namespace {

// 0.42 × 80: the factor of the inductance formula that the turns formula shares.
constexpr double kTurnsFactor = 33.6;
// Output rectifier drops: the ratio uses 0.8 V, the feedback winding 0.6 V.
constexpr double kRatioDrop = 0.8;
constexpr double kFeedbackDrop = 0.6;

std::optional<int> truncToInt(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const double whole = std::trunc(value);
    if (whole < std::numeric_limits<int>::min() || whole > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(whole);
}

std::optional<float> storedFloat(double value) {
    const auto single = static_cast<float>(value);
    if (!std::isfinite(single)) return std::nullopt;
    return single;
}

// Inputs that leave a denominator at zero or a square root negative.
bool inputsUsable(const PsrFields& in) {
    return in.exOutputVoltage != -0.8f && in.exOutputCurrent != 0 && in.exEfficiency > 0 &&
           in.exCoreAe != 0 && in.exWantedFrequency <= kHighestWantedFrequency;
}

}  // namespace

std::optional<SweepOutcome> sweepFrequency(const PsrFields& in) {
    if (!inputsUsable(in)) return std::nullopt;
    SweepOutcome out;
    float f = in.exWantedFrequency;
    int step = 1;
    while (f > 0) {
        const auto ratio = storedFloat(static_cast<double>(67.2f) / (in.exOutputVoltage + kRatioDrop));
        if (!ratio || *ratio == 0) return std::nullopt;
        const auto peakCurrent =
            storedFloat(4 * static_cast<double>(in.exOutputCurrent) /
                        (std::sqrt(in.exEfficiency * 0.01) * static_cast<double>(*ratio)));
        if (!peakCurrent || *peakCurrent == 0) return std::nullopt;
        const auto inductance =
            storedFloat(0.42 / (f * 1000.0) * 80 * 1000000 / static_cast<double>(*peakCurrent));
        if (!inductance) return std::nullopt;

        const auto snapped = snapInductance(*inductance);
        out.turnsRatio = *ratio;
        out.inductance = snapped.value_or(*inductance);
        out.actualFrequency = f;
        out.matched = snapped.has_value();

        f = f - static_cast<float>(step);
        step = step > 0 ? step + 1 : step - 1;
        step = -step;
        if (out.matched) break;
    }
    return out;
}

std::optional<int> primaryTurnsAt(const PsrFields& fields, double tesla) {
    if (fields.exActualFrequency == 0 || fields.exCoreAe == 0) return std::nullopt;
    const double perTurn = kTurnsFactor / (1000.0 * fields.exActualFrequency);
    return truncToInt(perTurn / (fields.exCoreAe * tesla * 0.000001));
}

std::optional<WindingTurns> windingTurnsFor(int primaryTurns, const PsrFields& fields) {
    if (fields.exTurnsRatio == 0) return std::nullopt;
    const double x = primaryTurns / static_cast<double>(fields.exTurnsRatio);
    const auto s = truncToInt(x);
    if (!s) return std::nullopt;
    WindingTurns turns;
    turns.primary = primaryTurns;
    turns.secondary = x - *s > 0.5 ? *s + 1 : *s;
    // Without secondary turns there is no volts-per-turn to size the feedback winding from.
    if (turns.secondary == 0) return turns;
    const double voltsPerTurn = (fields.exOutputVoltage + kFeedbackDrop) / turns.secondary;
    if (voltsPerTurn == 0) return std::nullopt;
    const auto y = storedFloat(fields.exFeedbackVoltage / voltsPerTurn);
    if (!y) return std::nullopt;
    const float u = std::trunc(*y);
    turns.feedback = *y - u > 0.5f ? u + 1 : u;
    return turns;
}

std::optional<AnalyseOutcome> analyse(const PsrFields& read) {
    const auto sweep = sweepFrequency(read);
    if (!sweep) return std::nullopt;
    AnalyseOutcome out;
    out.fields = read;
    // A wanted frequency of 0 or below tries nothing and keeps what the last sweep found.
    if (sweep->actualFrequency > 0) {
        out.fields.exTurnsRatio = sweep->turnsRatio;
        out.fields.exInductance = sweep->inductance;
        out.fields.exActualFrequency = sweep->actualFrequency;
    }
    const auto atMax = primaryTurnsAt(out.fields, 0.3);
    const auto atMin = primaryTurnsAt(out.fields, 0.2);
    const auto atMid = primaryTurnsAt(out.fields, 0.25);
    if (!atMax || !atMin || !atMid) return std::nullopt;
    const auto turns = windingTurnsFor(*atMid, out.fields);
    if (!turns) return std::nullopt;
    out.fields.exPrimaryTurns = turns->primary;
    out.fields.exSecondaryTurns = turns->secondary;
    out.fields.exFeedbackTurns = turns->feedback;
    out.minLabel = numberText(*atMin) + "Ts";
    out.maxLabel = numberText(*atMax) + "Ts";
    return out;
}

float fluxGauss(int sliderPosition) {
    return static_cast<float>(2000 + 10 * sliderPosition);
}

std::string fluxLabelText(int sliderPosition) {
    return numberText(fluxGauss(sliderPosition)) + "GS";
}

std::optional<WindingTurns> turnsForSlider(const PsrFields& fields, int sliderPosition) {
    if (fields.exActualFrequency == 0 || fields.exCoreAe == 0) return std::nullopt;
    const double perTurn = kTurnsFactor / (1000.0 * fields.exActualFrequency);
    const double area = fluxGauss(sliderPosition) * 0.0001 * fields.exCoreAe * 0.000001;
    const auto primary = truncToInt(perTurn / area);
    if (!primary) return std::nullopt;
    return windingTurnsFor(*primary, fields);
}

std::optional<Rgb> fluxLabelColour(int sliderPosition) {
    if (sliderPosition > 80) return Rgb{255, 0, 0};
    if (sliderPosition > 20 && sliderPosition < 80) return Rgb{255, 10, 128};
    if (sliderPosition < 20) return Rgb{0, 150, 0};
    return std::nullopt;
}
