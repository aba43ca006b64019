#pragma once

#include <optional>
#include <string>
#include <utility>

/// What the VEV_OD calculator holds: its inputs and the results it last computed. Floats are
/// kept in single precision exactly as the fields store them; the arithmetic between them is
/// done in double.
struct PsrFields {
    float exCoreAe = 19;        ///< core effective area, mm²
    float exEfficiency = 90;    ///< transformer efficiency, percent
    float exInductance = 0;     ///< primary inductance, µH
    float exTurnsRatio = 0;     ///< primary-to-secondary turns ratio
    float exFeedbackTurns = 0;  ///< a whole number kept as a float
    int exPrimaryTurns = 0;
    int exSecondaryTurns = 0;
    float exWantedFrequency = 52;   ///< kHz
    float exActualFrequency = 0;    ///< kHz, where the sweep settled
    float exFeedbackVoltage = 13;   ///< V
    float exOutputVoltage = 25;     ///< V
    float exOutputCurrent = 0.33f;  ///< A

    bool operator==(const PsrFields&) const = default;
};

/// The slider runs from 2000 to 3000 gauss in steps of 10.
inline constexpr int kFluxSliderMinimum = 0;
inline constexpr int kFluxSliderMaximum = 100;
/// Where Analyse puts the slider: 2500 gauss, the flux density of the primary turns it gives.
inline constexpr int kAnalyseSliderPosition = 50;

/// Above this wanted frequency (kHz) the sweep could run for a very long time; refused.
inline constexpr float kHighestWantedFrequency = 10000;

/// The inputs an engineer types; a refused Analyse names the one to correct.
enum class PsrInput { CoreAe, Efficiency, WantedFrequency, FeedbackVoltage, OutputVoltage, OutputCurrent };

/// A computed value, or the input that leaves the computation without a usable one.
template <typename T>
class PsrResult {
public:
    PsrResult(T value) : value_(std::move(value)) {}
    PsrResult(PsrInput refused) : refused_(refused) {}

    explicit operator bool() const { return value_.has_value(); }
    const T& operator*() const { return *value_; }
    const T* operator->() const { return &*value_; }
    /// Meaningful only without a value.
    PsrInput refused() const { return refused_; }

private:
    std::optional<T> value_;
    PsrInput refused_ = PsrInput::CoreAe;
};

/// Result of the frequency sweep: the ratio, the (snapped) inductance and the frequency tried last.
struct SweepOutcome {
    float turnsRatio = 0;
    float inductance = 0;
    float actualFrequency = 0;
    bool matched = false;
};

/// Walks f₀, f₀−1, f₀+1, f₀−2, … while the frequency stays above 0 and stops at the first one
/// whose inductance snaps. Refused when the inputs leave a formula without a value (no current,
/// no efficiency, an output voltage that cancels the rectifier drop, a non-finite result).
/// A wanted frequency of 0 or below tries nothing: `actualFrequency` is then 0.
PsrResult<SweepOutcome> sweepFrequency(const PsrFields& inputs);

/// Secondary and feedback turns that go with a primary turns count.
struct WindingTurns {
    int primary = 0;
    int secondary = 0;
    float feedback = 0;
};

/// What Analyse computes from the fields it read; the slider then stands at 50.
struct AnalyseOutcome {
    PsrFields fields;
    std::string minLabel;  ///< primary turns at 2000 gauss, "170Ts"
    std::string maxLabel;  ///< primary turns at 3000 gauss, "113Ts"
};

/// Refused when the inputs give no usable result at some slider position; the caller then
/// changes nothing.
PsrResult<AnalyseOutcome> analyse(const PsrFields& read);

/// Flux density in gauss of a slider position.
float fluxGauss(int sliderPosition);

/// "2500GS" for position 50.
std::string fluxLabelText(int sliderPosition);

/// The turns for the flux density of a slider position, from the frequency, ratio and core
/// area the last Analyse left. Empty when those give no value (before the first Analyse, say).
std::optional<WindingTurns> turnsForSlider(const PsrFields& fields, int sliderPosition);

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kMinLabelColour{0, 130, 0};
inline constexpr Rgb kMaxLabelColour{255, 0, 0};

/// Text colour of the flux label: green at the low end, pink in the middle, red at the high
/// end; empty (the label's own colour) at exactly 20 and 80.
std::optional<Rgb> fluxLabelColour(int sliderPosition);
