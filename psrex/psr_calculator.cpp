#include "psrex/psr_calculator.h"

#include <cmath>
#include <limits>

#include "engine/candidate.h"
#include "engine/number_text.h"

using namespace quillmere;

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

// Inputs that leave a denominator at zero or a square root negative, or would keep the sweep
// going for a very long time; checked in the order the fields are read.
std::optional<PsrInput> degenerateInput(const PsrFields& in) {
    if (in.exCoreAe == 0) return PsrInput::CoreAe;
    if (!(in.exEfficiency > 0)) return PsrInput::Efficiency;
    if (in.exWantedFrequency > kHighestWantedFrequency) return PsrInput::WantedFrequency;
    if (in.exOutputVoltage == -0.8f) return PsrInput::OutputVoltage;
    if (in.exOutputCurrent == 0) return PsrInput::OutputCurrent;
    return std::nullopt;
}

// Below 1 kHz it is the frequency that drives a result out of range, not the other input.
PsrInput frequencyOr(float kHz, PsrInput other) {
    return kHz < 1 ? PsrInput::WantedFrequency : other;
}

// Primary turns at the swept frequency for a flux density times core area `teslaSquareMetres`.
PsrResult<int> primaryTurns(const PsrFields& fields, double teslaSquareMetres) {
    if (fields.exActualFrequency == 0) return PsrInput::WantedFrequency;
    if (fields.exCoreAe == 0) return PsrInput::CoreAe;
    const double perTurn = kTurnsFactor / (1000.0 * fields.exActualFrequency);
    if (const auto turns = truncToInt(perTurn / teslaSquareMetres)) return *turns;
    return frequencyOr(fields.exActualFrequency, PsrInput::CoreAe);
}

PsrResult<int> primaryTurnsAt(const PsrFields& fields, double tesla) {
    return primaryTurns(fields, fields.exCoreAe * tesla * 0.000001);
}

PsrResult<WindingTurns> windingTurnsFor(int primaryTurns, const PsrFields& fields) {
    // The ratio comes from the output voltage alone.
    if (fields.exTurnsRatio == 0) return PsrInput::OutputVoltage;
    const double x = primaryTurns / static_cast<double>(fields.exTurnsRatio);
    const double whole = std::trunc(x);
    const auto secondary = truncToInt(x - whole > 0.5 ? whole + 1 : whole);
    if (!secondary) return PsrInput::OutputVoltage;
    WindingTurns turns;
    turns.primary = primaryTurns;
    turns.secondary = *secondary;
    // Without secondary turns there is no volts-per-turn to size the feedback winding from.
    if (turns.secondary == 0) return turns;
    const double voltsPerTurn = (fields.exOutputVoltage + kFeedbackDrop) / turns.secondary;
    if (voltsPerTurn == 0) return PsrInput::OutputVoltage;
    const auto y = storedFloat(fields.exFeedbackVoltage / voltsPerTurn);
    if (!y) return PsrInput::FeedbackVoltage;
    const float u = std::trunc(*y);
    turns.feedback = *y - u > 0.5f ? u + 1 : u;
    return turns;
}

PsrResult<WindingTurns> sliderTurns(const PsrFields& fields, int sliderPosition) {
    const auto primary =
        primaryTurns(fields, fluxGauss(sliderPosition) * 0.0001 * fields.exCoreAe * 0.000001);
    if (!primary) return primary.refused();
    return windingTurnsFor(*primary, fields);
}

}  // namespace

PsrResult<SweepOutcome> sweepFrequency(const PsrFields& in) {
    if (const auto input = degenerateInput(in)) return *input;
    SweepOutcome out;
    float f = in.exWantedFrequency;
    int step = 1;
    while (f > 0) {
        const auto ratio = storedFloat(static_cast<double>(67.2f) / (in.exOutputVoltage + kRatioDrop));
        if (!ratio || *ratio == 0) return PsrInput::OutputVoltage;
        const auto peakCurrent =
            storedFloat(4 * static_cast<double>(in.exOutputCurrent) /
                        (std::sqrt(in.exEfficiency * 0.01) * static_cast<double>(*ratio)));
        if (!peakCurrent || *peakCurrent == 0) return PsrInput::OutputCurrent;
        const auto inductance =
            storedFloat(0.42 / (f * 1000.0) * 80 * 1000000 / static_cast<double>(*peakCurrent));
        if (!inductance) return frequencyOr(f, PsrInput::OutputCurrent);

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

PsrResult<AnalyseOutcome> analyse(const PsrFields& read) {
    const auto sweep = sweepFrequency(read);
    if (!sweep) return sweep.refused();
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
    for (const auto* turns : {&atMax, &atMin, &atMid})
        if (!*turns) return turns->refused();
    const auto turns = windingTurnsFor(*atMid, out.fields);
    if (!turns) return turns.refused();
    // The fewest gauss give the most turns: with a value there, every slider position has one.
    if (const auto mostTurns = sliderTurns(out.fields, kFluxSliderMinimum); !mostTurns)
        return mostTurns.refused();
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
    const auto turns = sliderTurns(fields, sliderPosition);
    if (!turns) return std::nullopt;
    return *turns;
}

std::optional<Rgb> fluxLabelColour(int sliderPosition) {
    if (sliderPosition > 80) return Rgb{255, 0, 0};
    if (sliderPosition > 20 && sliderPosition < 80) return Rgb{255, 10, 128};
    if (sliderPosition < 20) return Rgb{0, 150, 0};
    return std::nullopt;
}
