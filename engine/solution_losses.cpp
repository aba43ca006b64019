#include "engine/solution_losses.h"

#include <cmath>
#include <span>

namespace quillmere {

namespace {

bool positive(double value) {
    return std::isfinite(value) && value > 0;
}
bool notNegative(double value) {
    return std::isfinite(value) && value >= 0;
}
bool fraction(double value) {
    return std::isfinite(value) && value > 0 && value <= 1;
}

bool columnSized(const TurnColumn& column) {
    if (column.shape == TurnColumn::Shape::round) return positive(column.radius);
    return positive(column.width) && positive(column.depth);
}

bool coreSized(const LossCore& core) {
    return positive(core.effectiveArea) && positive(core.effectiveLength) && positive(core.effectiveVolume) &&
           positive(core.centreLegArea) && positive(core.centreLegPerimeter) && positive(core.windowHeight) &&
           columnSized(core.column);
}

LossInputFault operatingPointFault(const SolutionLossInputs& in) {
    if (!positive(in.inductance)) return LossInputFault::inductanceNotPositive;
    if (!notNegative(in.primaryPeak)) return LossInputFault::primaryPeakNegative;
    if (!notNegative(in.secondaryPeak)) return LossInputFault::secondaryPeakNegative;
    if (!fraction(in.onFraction) || !fraction(in.offFraction)) return LossInputFault::fractionOutOfRange;
    if (!positive(in.frequency)) return LossInputFault::frequencyNotPositive;
    if (!std::isfinite(in.temperature)) return LossInputFault::temperatureNotFinite;
    if (!notNegative(in.outputPower)) return LossInputFault::outputPowerNegative;
    if (!coreSized(in.core)) return LossInputFault::coreFigureNotPositive;
    return LossInputFault::none;
}

LossInputFault ferriteFault(const FerriteAtPoint& ferrite, const SolutionLossInputs& in) {
    if (ferrite.frequency != in.frequency || ferrite.temperature != in.temperature)
        return LossInputFault::ferriteMadeForAnotherPoint;
    if (!positive(ferrite.saturationFluxDensity) || !positive(ferrite.permeability))
        return LossInputFault::ferriteFigureNotPositive;
    if (!ferrite.hasLossLaw) return LossInputFault::noSteinmetzRange;
    if (!positive(ferrite.lossLaw.temperatureFactor)) return LossInputFault::temperatureFactorNotPositive;
    return LossInputFault::none;
}

}  // namespace

FerriteAtPoint ferriteAt(const FerriteFigures& ferrite, double frequency, double temperature) {
    FerriteAtPoint point;
    point.frequency = frequency;
    point.temperature = temperature;
    point.saturationFluxDensity = saturationFluxDensity(ferrite, temperature);
    point.permeability = initialPermeability(ferrite, temperature);
    if (const std::optional<CoreLossLaw> law = coreLossLaw(ferrite, frequency, temperature)) {
        point.lossLaw = *law;
        point.hasLossLaw = true;
    }
    return point;
}

const char* lossInputFaultText(LossInputFault fault) {
    switch (fault) {
        case LossInputFault::none:
            return "no fault";
        case LossInputFault::inductanceNotPositive:
            return "inductance not above zero";
        case LossInputFault::primaryPeakNegative:
            return "primary peak current below zero";
        case LossInputFault::secondaryPeakNegative:
            return "secondary peak current below zero";
        case LossInputFault::fractionOutOfRange:
            return "conduction fraction d or d2 not in (0, 1]";
        case LossInputFault::frequencyNotPositive:
            return "frequency not above zero";
        case LossInputFault::temperatureNotFinite:
            return "operating temperature not a number";
        case LossInputFault::outputPowerNegative:
            return "output power below zero";
        case LossInputFault::coreFigureNotPositive:
            return "a core or bobbin figure not above zero";
        case LossInputFault::windings:
            return "a winding is wrong";
        case LossInputFault::noPrimaryTurns:
            return "no primary turns";
        case LossInputFault::ferriteFigureNotPositive:
            return "Bsat or initial permeability not above zero";
        case LossInputFault::noSteinmetzRange:
            return "the ferrite has no loss figures";
        case LossInputFault::temperatureFactorNotPositive:
            return "the ferrite's loss fit is not above zero at this temperature";
        case LossInputFault::ferriteMadeForAnotherPoint:
            return "ferrite figures made for another frequency or temperature";
    }
    return "unknown fault";
}

double surfaceFactor(double volume) {
    const double cubicCentimetres = volume * 1e6;
    return std::pow(cubicCentimetres, -0.54);
}

double temperatureRise(double loss, double volume) {
    return loss * 53 * surfaceFactor(volume);
}

double efficiency(double outputPower, double losses) {
    const double input = outputPower + losses;
    return input > 0 ? outputPower / input : 0;
}

namespace {

// The first fault of the inputs, and on none the whole primary's turns.
LossInputFault checkInputs(const SolutionLossInputs& in, const FerriteAtPoint& ferrite,
                           SolutionLossResult& result, double& primaryTurns) {
    result.fault = operatingPointFault(in);
    if (result.fault != LossInputFault::none) return result.fault;
    if (in.windingCount > kMaxWindings) {
        result.windingFault = WindingFault::tooManyWindings;
        result.windingIndex = kMaxWindings;
        return result.fault = LossInputFault::windings;
    }
    const std::span<const WindingBuild> windings(in.windings.data(), in.windingCount);
    result.windingFault = checkWindings(windings, result.windingIndex);
    if (result.windingFault != WindingFault::none) return result.fault = LossInputFault::windings;
    primaryTurns = 0;
    for (const WindingBuild& w : windings)
        if (w.role == CopperRole::primary) primaryTurns += w.turns;
    if (!(primaryTurns > 0)) return result.fault = LossInputFault::noPrimaryTurns;
    return result.fault = ferriteFault(ferrite, in);
}

// Discontinuous conduction: the flux starts from zero, so its swing is its peak. T.
double peakFlux(const SolutionLossInputs& in, double primaryTurns) {
    return in.inductance * in.primaryPeak / (primaryTurns * in.core.effectiveArea);
}

double ofSaturationPct(double bpk, const FerriteAtPoint& ferrite) {
    return bpk / ferrite.saturationFluxDensity * 100;
}

}  // namespace

SolutionLossResult solutionLosses(const SolutionLossInputs& in, const FerriteAtPoint& ferrite,
                                  LossScope scope, SolutionLossCache* cache) {
    SolutionLossResult result;
    double primaryTurns = 0;
    if (checkInputs(in, ferrite, result, primaryTurns) != LossInputFault::none) return result;
    const std::span<const WindingBuild> windings(in.windings.data(), in.windingCount);

    SolutionLossFigures& f = result.figures;
    const LossCore& core = in.core;
    const double bpk = peakFlux(in, primaryTurns);
    f.bpkMt = bpk * 1e3;
    f.bsatMt = ferrite.saturationFluxDensity * 1e3;
    f.bpkOfBsatPct = ofSaturationPct(bpk, ferrite);

    const double pv = cache ? cache->core.density(ferrite.lossLaw, bpk, in.onFraction, in.offFraction)
                            : coreLossDensity(ferrite.lossLaw, bpk, in.onFraction, in.offFraction);
    f.coreLossDensityKwPerM3 = pv * 1e-3;
    f.coreLossW = pv * core.effectiveVolume;

    CopperConditions conditions;
    conditions.frequency = in.frequency;
    conditions.temperature = in.temperature;
    conditions.primary = {in.primaryPeak, in.onFraction};
    conditions.secondary = {in.secondaryPeak, in.offFraction};
    f.copper = copperLosses(core.column, windings, conditions, cache ? &cache->copper : nullptr);
    f.copperLossW = f.copper.totalLoss;
    f.primaryCopperLossW = f.copper.primaryLoss;
    f.secondaryCopperLossW = f.copper.secondaryLoss;
    f.primaryRmsA = f.copper.primaryRms;
    f.secondaryRmsA = f.copper.secondaryRms;
    f.primaryDcrOhm = f.copper.primaryResistance20;
    f.secondaryDcrOhm = f.copper.secondaryResistance20;
    f.auxDcrOhm = f.copper.auxiliaryResistance20;

    const double losses = f.coreLossW + f.copperLossW;
    f.temperatureRiseK = temperatureRise(losses, core.effectiveVolume);
    f.efficiencyPct = efficiency(in.outputPower, losses) * 100;

    if (scope == LossScope::withoutGap) return result;
    f.gapComputed = true;
    GapCore gapCore;
    gapCore.effectiveArea = core.effectiveArea;
    gapCore.effectiveLength = core.effectiveLength;
    gapCore.centreLegArea = core.centreLegArea;
    gapCore.centreLegPerimeter = core.centreLegPerimeter;
    gapCore.windowHeight = core.windowHeight;
    gapCore.permeability = ferrite.permeability;
    const AirGap gap = airGap(gapCore, in.inductance, primaryTurns);
    f.noGap = gap.reason;
    f.firstOrderGapMm = gap.firstOrderLength * 1e3;
    if (gap.reason == NoGapReason::none) {
        f.gapMm = gap.length * 1e3;
        f.spacerMm = f.gapMm / 2;
        f.alNhPerTurn2 = gap.inductanceFactor * 1e9;
    }
    return result;
}

SolutionLossFloorResult solutionLossFloor(const SolutionLossInputs& in, const FerriteAtPoint& ferrite,
                                          CopperFloor copper, SolutionLossCache* cache) {
    SolutionLossFloorResult result;
    SolutionLossResult checked;
    double primaryTurns = 0;
    result.fault = checkInputs(in, ferrite, checked, primaryTurns);
    if (result.fault != LossInputFault::none) return result;
    const double bpk = peakFlux(in, primaryTurns);
    result.floor.bpkOfBsatPct = ofSaturationPct(bpk, ferrite);
    const double density = cache ? cache->core.density(ferrite.lossLaw, bpk, in.onFraction, in.offFraction)
                                 : coreLossDensity(ferrite.lossLaw, bpk, in.onFraction, in.offFraction);
    const double coreLoss = density * in.core.effectiveVolume;
    CopperConditions conditions;
    conditions.frequency = in.frequency;
    conditions.temperature = in.temperature;
    conditions.primary = {in.primaryPeak, in.onFraction};
    conditions.secondary = {in.secondaryPeak, in.offFraction};
    const double copperLoss = copperLossFloor(in.core.column, std::span(in.windings.data(), in.windingCount),
                                              conditions, copper, cache ? &cache->copper : nullptr);
    // The floor and the figure round differently; this margin is a million times their rounding.
    constexpr double kRoundingMargin = 1 - 1e-9;
    result.floor.totalLossW = (coreLoss + copperLoss) * kRoundingMargin;
    result.floor.temperatureRiseK = temperatureRise(result.floor.totalLossW, in.core.effectiveVolume);
    return result;
}

SolutionLossResult solutionLosses(const SolutionLossInputs& inputs, const FerriteFigures& ferrite,
                                  LossScope scope) {
    return solutionLosses(inputs, ferriteAt(ferrite, inputs.frequency, inputs.temperature), scope);
}

}  // namespace quillmere
