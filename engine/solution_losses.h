#pragma once

#include <array>
#include <cstddef>

#include "engine/air_gap.h"
#include "engine/copper_loss.h"
#include "engine/core_loss.h"
#include "engine/ferrite.h"

namespace quillmere {

/// What the figures read from a catalogue core and its bobbin, SI units.
struct LossCore {
    double effectiveArea = 0;       ///< Ae, m²
    double effectiveLength = 0;     ///< le, m
    double effectiveVolume = 0;     ///< Ve, m³
    double centreLegArea = 0;       ///< Ac, m²
    double centreLegPerimeter = 0;  ///< C, m
    double windowHeight = 0;        ///< hw: window height of one half of the set (the shape's D), m
    TurnColumn column;              ///< the bobbin column's outer surface
};

/// One solution's operating point and build, SI units (temperatures °C).
struct SolutionLossInputs {
    double inductance = 0;     ///< Lp as snapped, H
    double primaryPeak = 0;    ///< Ipkp, A
    double secondaryPeak = 0;  ///< Ipks, A
    double onFraction = 0;     ///< d: the primary ramps up during it, of the period, (0, 1]
    double offFraction = 0;    ///< d2: the secondary ramps down during it, of the period, (0, 1]
    double frequency = 0;      ///< Hz
    double temperature = 100;  ///< operating temperature of core and copper, °C
    double outputPower = 0;    ///< Pout, W
    LossCore core;
    /// Windings from the bobbin outwards; Np is the sum of the primary ones' turns.
    std::array<WindingBuild, kMaxWindings> windings{};
    std::size_t windingCount = 0;
};

/// A ferrite at one frequency and temperature: what its figures need, made once per
/// (material, f, T) so that a search pays for range choice, Γ and powers of f only once.
struct FerriteAtPoint {
    double frequency = 0;              ///< Hz it was made for
    double temperature = 0;            ///< °C it was made for
    double saturationFluxDensity = 0;  ///< T
    double permeability = 0;           ///< initial, relative
    CoreLossLaw lossLaw;
    bool hasLossLaw = false;  ///< false: the ferrite has no Steinmetz range
};

FerriteAtPoint ferriteAt(const FerriteFigures& ferrite, double frequency, double temperature);

/// The figures of one solution, in the units the results show.
struct SolutionLossFigures {
    double bpkMt = 0;                   ///< Bpk = Lp·Ipkp/(Np·Ae), mT
    double bsatMt = 0;                  ///< Bsat at the operating temperature, mT
    double bpkOfBsatPct = 0;            ///< Bpk / Bsat, %
    double coreLossDensityKwPerM3 = 0;  ///< iGSE Pv, kW/m³
    double coreLossW = 0;               ///< Pv · Ve
    double copperLossW = 0;             ///< all windings
    double primaryCopperLossW = 0;
    double secondaryCopperLossW = 0;
    double primaryRmsA = 0;
    double secondaryRmsA = 0;
    double primaryDcrOhm = 0;    ///< at 20 °C, both sandwich halves
    double secondaryDcrOhm = 0;  ///< at 20 °C
    double auxDcrOhm = 0;        ///< at 20 °C
    double temperatureRiseK = 0;
    double efficiencyPct = 0;  ///< Pout / (Pout + Pcore + Pcu)
    /// False when the gap was not asked for (LossScope::withoutGap): the gap fields are all 0.
    bool gapComputed = false;
    /// The gap, or the reason there is none (then gapMm, spacerMm and alNhPerTurn2 are 0).
    NoGapReason noGap = NoGapReason::none;
    double gapMm = 0;            ///< centre-leg gap lg with fringing and core reluctance
    double spacerMm = 0;         ///< lg/2: the spacer of an ungapped set
    double alNhPerTurn2 = 0;     ///< AL = Lp / Np²
    double firstOrderGapMm = 0;  ///< µ0·Ac·Np²/Lp − le/µi, for comparison
    CopperLosses copper;         ///< per winding, SI units

    bool operator==(const SolutionLossFigures&) const = default;
};

/// What is wrong with the inputs, first found first.
enum class LossInputFault {
    none,
    inductanceNotPositive,
    primaryPeakNegative,
    secondaryPeakNegative,
    fractionOutOfRange,  ///< d or d2 not in (0, 1]
    frequencyNotPositive,
    temperatureNotFinite,
    outputPowerNegative,
    coreFigureNotPositive,  ///< Ae, le, Ve, Ac, C, hw or the column's size
    windings,               ///< see windingFault
    noPrimaryTurns,
    ferriteFigureNotPositive,  ///< Bsat or µi at T
    noSteinmetzRange,
    temperatureFactorNotPositive,  ///< s(T) ≤ 0: the fit says nothing at this temperature
    ferriteMadeForAnotherPoint,    ///< FerriteAtPoint's f or T differ from the inputs'
};

/// English text naming the fault.
const char* lossInputFaultText(LossInputFault fault);

/// The figures, or the first fault of the inputs.
struct SolutionLossResult {
    LossInputFault fault = LossInputFault::none;
    WindingFault windingFault = WindingFault::none;  ///< when fault is `windings`
    std::size_t windingIndex = 0;                    ///< the winding at fault
    SolutionLossFigures figures;                     ///< valid when fault is none
};

/// Temperature rise of a core set dissipating `loss` (W), K: loss · 53 · (Ve / cm³)^−0.54,
/// `volume` = Ve in m³.
double temperatureRise(double loss, double volume);

/// (Ve / cm³)^−0.54 of temperatureRise, `volume` = Ve in m³: loss · 53 · it is temperatureRise.
double surfaceFactor(double volume);

/// Pout / (Pout + losses), as a fraction; 0 when both are 0.
double efficiency(double outputPower, double losses);

/// Which figures to make. Ranking and limits need no gap; its bisection is about a quarter of
/// the time, so a search may leave it to the solutions it shows.
enum class LossScope { all, withoutGap };

/// What a search's figures remember from one candidate to the next (see each); the figures
/// made with it are the same as without.
struct SolutionLossCache {
    CopperLossCache copper;
    CoreLossMemo core;
};

/// Every figure of one solution, faster with a cache. Allocates nothing; the hot path of a
/// whole-catalogue search.
SolutionLossResult solutionLosses(const SolutionLossInputs& inputs, const FerriteAtPoint& ferrite,
                                  LossScope scope = LossScope::all, SolutionLossCache* cache = nullptr);

/// What ranking and limits can learn of a solution before its AC copper losses: the exact core
/// loss and Bpk/Bsat with a floor under the copper loss (see copperLossFloor), a fraction of
/// solutionLosses' work.
struct SolutionLossFloor {
    double bpkOfBsatPct = 0;      ///< exactly solutionLosses' figure, %
    double totalLossW = 0;        ///< at most solutionLosses' Pcore + Pcu, W
    double temperatureRiseK = 0;  ///< at most solutionLosses' ΔT, K
};

/// The floor, or the first fault of the inputs (the same fault solutionLosses finds).
struct SolutionLossFloorResult {
    LossInputFault fault = LossInputFault::none;
    SolutionLossFloor floor;  ///< valid when fault is none
};

SolutionLossFloorResult solutionLossFloor(const SolutionLossInputs& inputs, const FerriteAtPoint& ferrite,
                                          CopperFloor copper, SolutionLossCache* cache = nullptr);

/// The same, making the ferrite's point on the way (for one-off calls).
SolutionLossResult solutionLosses(const SolutionLossInputs& inputs, const FerriteFigures& ferrite,
                                  LossScope scope = LossScope::all);

}  // namespace quillmere
