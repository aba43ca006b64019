#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <vector>

namespace quillmere {

/// Harmonics taken into the AC resistance, besides DC.
inline constexpr int kLossHarmonics = 10;

/// Windings a bobbin carries in one solution: Np_1, Ns, Np_2, Nf at most.
inline constexpr std::size_t kMaxWindings = 4;

/// The outer surface of the bobbin column, where the first winding starts.
struct TurnColumn {
    enum class Shape { round, rectangular };
    Shape shape = Shape::round;
    double radius = 0;  ///< round: m
    double width = 0;   ///< rectangular: the two sides, m
    double depth = 0;
};

/// Length of a turn lying `distance` (m) above the column surface, m: 2π(r + x) on a round
/// column, 2(w + h) + 2πx on a rectangular one (straight sides, quarter circles at the corners).
double turnLength(const TurnColumn& column, double distance);

/// Resistivity of annealed copper (IEC 60028) at `temperature` (°C), Ω·m:
/// ρ20 · (1 + α20 · (T − 20)), ρ20 = 1.7241e-8 Ω·m, α20 = 0.00393 /K.
double copperResistivity(double temperature);

/// Skin depth δ = √(ρ / (π f µ0)) of copper of resistivity `resistivity` (Ω·m) at `frequency` (Hz), m.
double skinDepth(double resistivity, double frequency);

/// Dowell's AC-to-DC resistance ratio of a winding of `layers` layers at penetration ratio A:
/// A·[(sinh 2A + sin 2A)/(cosh 2A − cos 2A) + (2(m²−1)/3)·(sinh A − sin A)/(cosh A + cos A)].
double dowellFactor(double penetration, double layers);

/// Round-wire penetration ratio A = (π/4)^(3/4) · (d/δ) · √(d/p): d the bare diameter, p the
/// insulated diameter (the pitch of a full layer), δ the skin depth, all in m.
double penetrationRatio(double bareDiameter, double insulatedDiameter, double skinDepth);

/// A current rising linearly from 0 to `peak` (A) during `fraction` of the period, or falling
/// from it to 0 (the harmonics' sizes are the same), and zero for the rest of the period.
struct RampCurrent {
    double peak = 0;      ///< A
    double fraction = 0;  ///< of the period, in (0, 1]
};

/// The ramp's DC and the rms of its harmonics 1 … kLossHarmonics, A.
struct RampHarmonics {
    double dc = 0;
    std::array<double, kLossHarmonics> rms{};
};

RampHarmonics rampHarmonics(const RampCurrent& current);

/// What a ramp's harmonics owe to its conduction fraction alone: rms_n = √2 · peak / divisor_n ·
/// magnitude_n. Made once for many peaks.
struct RampShape {
    double fraction = -1;  ///< the fraction it was made for; −1: none
    std::array<double, kLossHarmonics> divisor{};
    std::array<double, kLossHarmonics> magnitude{};
};

/// The shape of a ramp conducting `fraction` (in (0, 1]) of the period.
RampShape rampShape(double fraction);

/// rampHarmonics(current), its fraction's part taken from `shape` (made for current.fraction).
RampHarmonics rampHarmonics(const RampCurrent& current, const RampShape& shape);

/// The ramp's true rms, peak · √(fraction / 3), A.
double rampRms(const RampCurrent& current);

/// Which current a winding carries (named apart from the sheet's WindingRole, which sorts windings).
enum class CopperRole {
    primary,    ///< a ramp up to Ipkp during d; both halves of a sandwich carry it
    secondary,  ///< a ramp down from Ipks during d2
    auxiliary,  ///< its current is not known and counts as zero
};

/// One winding as the fit built it, listed from the bobbin column outwards.
struct WindingBuild {
    CopperRole role = CopperRole::primary;
    double turns = 0;
    double bareDiameter = 0;       ///< copper diameter of one strand, m
    double insulatedDiameter = 0;  ///< enamelled diameter of one strand, m
    int strands = 1;               ///< strands in parallel
    double layers = 1;             ///< Dowell's m
    double build = 0;              ///< the winding's radial thickness, m
    double tapeBelow = 0;          ///< radial build of tape between it and what lies below, m
};

/// One winding's copper figures.
struct WindingLoss {
    double turnLength = 0;    ///< mean turn length, at the middle of the winding's build, m
    double resistance = 0;    ///< DC resistance at the operating temperature, Ω
    double resistance20 = 0;  ///< DC resistance at 20 °C, Ω, as a maker measures it
    double rms = 0;           ///< rms current, A
    /// Rdc · (Idc² + Σ Fr(n·f) · In² + Fr(10·f) · Itail²), W; Itail² = Irms² − Idc² − Σ In², the
    /// part of the ramp above the tenth harmonic, counted at the tenth's factor (a lower bound)
    double loss = 0;

    bool operator==(const WindingLoss&) const = default;
};

/// The operating point copper losses depend on.
struct CopperConditions {
    double frequency = 0;    ///< switching frequency, Hz
    double temperature = 0;  ///< winding temperature, °C
    RampCurrent primary;
    RampCurrent secondary;
};

/// The copper figures of a bobbin's windings, per winding (in the order given) and per role.
/// A sandwiched primary's halves are in series: their resistances and losses add, each
/// carries the whole primary current.
struct CopperLosses {
    std::array<WindingLoss, kMaxWindings> windings{};
    std::size_t windingCount = 0;
    double primaryLoss = 0;  ///< W
    double secondaryLoss = 0;
    double totalLoss = 0;
    double primaryRms = 0;  ///< A
    double secondaryRms = 0;
    double primaryResistance20 = 0;  ///< Ω at 20 °C
    double secondaryResistance20 = 0;
    double auxiliaryResistance20 = 0;

    bool operator==(const CopperLosses&) const = default;
};

/// What is wrong with a winding list, in the order checked.
enum class WindingFault {
    none,
    tooManyWindings,            ///< more than kMaxWindings
    turnsNegative,              ///< turns below zero or not finite
    bareDiameterNotPositive,    ///< not above zero or not finite
    insulatedDiameterTooSmall,  ///< below the bare diameter or not finite
    strandsNotPositive,         ///< fewer than one strand
    layersBelowOne,             ///< a winding with turns has fewer than one layer
    buildNegative,              ///< build or tape below zero or not finite
};

/// English text naming the fault, for messages and logs.
const char* windingFaultText(WindingFault fault);

/// First fault of a winding list; `index` receives the winding's position.
WindingFault checkWindings(std::span<const WindingBuild> windings, std::size_t& index);

/// One winding's figures for a given current: its middle lies `middle` (m) above the column
/// surface; `resistivity` (Ω·m) and `skinDepth` (m, at `frequency`) belong to the operating
/// temperature. Allocates nothing.
WindingLoss windingLoss(const WindingBuild& winding, const TurnColumn& column, double middle,
                        const RampCurrent& current, double resistivity, double skinDepthAtFrequency);

/// Dowell's factors of a winding at harmonics 1 … kLossHarmonics, remembered by what they depend
/// on (wire, layers, skin depth): a search meets the same few for thousands of candidates, and
/// the factors are most of a solution's figures' time. Also the last ramp shapes of the primary
/// and secondary currents. The same values as computed afresh.
class CopperLossCache {
public:
    using Factors = std::array<double, kLossHarmonics>;

    CopperLossCache();

    /// The factors at penetration ratio `firstPenetration` · √n, n = 1 … kLossHarmonics; the
    /// ratio is penetrationRatio(bare, insulated, skinDepth).
    const Factors& factors(double bareDiameter, double insulatedDiameter, double layers, double skinDepth);

    /// The shape of a ramp of `fraction`, kept in `slot` (0: primary, 1: secondary).
    const RampShape& shape(double fraction, std::size_t slot);

private:
    struct Entry {
        double bareDiameter = -1;  ///< −1: empty
        double insulatedDiameter = 0;
        double layers = 0;
        double skinDepth = 0;
        Factors factors{};
    };
    std::vector<Entry> entries_;  // direct-mapped; a miss replaces the slot
    std::array<RampShape, 2> shapes_{};
};

/// All windings' figures, each at the middle of its own build from the column outwards (tape
/// builds included), Dowell's factors from `cache` when one is given. The list must pass
/// checkWindings; allocates nothing.
CopperLosses copperLosses(const TurnColumn& column, std::span<const WindingBuild> windings,
                          const CopperConditions& conditions, CopperLossCache* cache = nullptr);

/// How close a floor under the copper loss comes, for what it costs.
enum class CopperFloor {
    dc,             ///< each winding's rms current through its DC resistance: a few multiplications
    firstHarmonic,  ///< all AC at the first harmonic's Dowell factor: one factor per winding
};

/// A floor under copperLosses' totalLoss, W. Dowell's factor is at least 1 and grows with the
/// harmonic's order, so Rdc · (Idc² + Fr(f) · (Irms² − Idc²)) is at most each winding's loss
/// (`dc` takes Fr = 1 and leaves the frequency unread). The list must pass checkWindings.
double copperLossFloor(const TurnColumn& column, std::span<const WindingBuild> windings,
                       const CopperConditions& conditions, CopperFloor kind,
                       CopperLossCache* cache = nullptr);

}  // namespace quillmere
