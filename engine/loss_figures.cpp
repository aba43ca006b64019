#include "engine/loss_figures.h"

#include <algorithm>
#include <array>
#include <numbers>

#include "engine/winding_fit.h"

namespace quillmere {

namespace {

constexpr double kMm = 1e-3;
constexpr double kMm2 = 1e-6;
constexpr double kMm3 = 1e-9;

// A floor and the figure it bounds round differently; this margin is a million times that.
constexpr double kRoundingMargin = 1 - 1e-9;

// The column's outer surface: the bobbin's own, else the centre leg itself plus the bobbin wall
// (a bobbin of the data without a column is at least that large).
std::optional<TurnColumn> turnColumn(const CoreContext& context) {
    TurnColumn column;
    if (const auto& c = context.bobbin.column) {
        if (c->round) {
            column.radius = c->diameter / 2 * kMm;
            return column;
        }
        if (c->depth) {
            column.shape = TurnColumn::Shape::rectangular;
            column.width = c->width * kMm;
            column.depth = *c->depth * kMm;
            return column;
        }
    }
    if (!context.core.centreLeg) return std::nullopt;
    const CentreLeg& leg = *context.core.centreLeg;
    const double wall = context.bobbin.columnWall.value_or(0);
    if (leg.shape == LegShape::Round) {
        column.radius = (leg.diameter / 2 + wall) * kMm;
        return column;
    }
    column.shape = TurnColumn::Shape::rectangular;
    column.width = (leg.width + 2 * wall) * kMm;
    column.depth = (leg.depth + 2 * wall) * kMm;
    return column;
}

// One winding of the fit: the layers as the search counted them, a sandwich's overflow of under
// 5 % of a layer squeezed into the layer below (as the winding layout does).
bool addWinding(SolutionLossInputs& in, CopperRole role, double turns, float bare, float strands,
                std::optional<Layers> layers, bool folded, double tapeBelow) {
    if (turns <= 0) return true;
    if (!layers) return false;
    double count = layers->count;
    if (folded && layers->fraction > 0 && layers->fraction < 0.05) count = std::max(count - 1, 1.0);
    count = std::max(count, 1.0);
    WindingBuild& w = in.windings[in.windingCount++];
    w.role = role;
    w.turns = turns;
    w.bareDiameter = bare * kMm;
    w.insulatedDiameter = static_cast<double>(outerDiameter(bare)) * kMm;
    w.strands = std::max(1, static_cast<int>(strands));
    w.layers = count;
    w.build = count * w.insulatedDiameter;
    w.tapeBelow = in.windingCount > 1 ? tapeBelow : 0;
    return true;
}

}  // namespace

std::optional<FigureCore> figureCore(const CoreContext& context) {
    const CoreShape& shape = context.core;
    const std::optional<double> halfWindow = shape.halfWindowHeight();
    const std::optional<TurnColumn> column = turnColumn(context);
    if (!shape.centreLeg || !halfWindow || !column) return std::nullopt;
    const Material& m = context.material;
    if (!m.initialPermeability25C || !m.initialPermeability100C) return std::nullopt;
    FigureCore figure;
    figure.core.effectiveArea = shape.ae * kMm2;
    figure.core.effectiveLength = shape.le * kMm;
    figure.core.effectiveVolume = shape.ve * kMm3;
    figure.core.centreLegArea = shape.centreLeg->area * kMm2;
    figure.core.centreLegPerimeter = shape.centreLeg->perimeter() * kMm;
    figure.core.windowHeight = *halfWindow * kMm;
    figure.core.column = *column;
    figure.ferrite.bsat25 = m.bsat25C;
    figure.ferrite.bsat100 = m.bsat100C;
    figure.ferrite.permeability25 = *m.initialPermeability25C;
    figure.ferrite.permeability100 = *m.initialPermeability100C;
    figure.ferrite.ranges = m.steinmetz;
    return figure;
}

// The fit's expressions in the search's precisions, so that the layers are the ones it counted.
std::optional<SolutionLossInputs> solutionLossInputs(const CandidateRecord& r, const SearchSetup& setup,
                                                     const LossCore& core) {
    const RuleSet& rules = setup.rules;
    const DesignInputs& inputs = setup.inputs;
    SolutionLossInputs in;
    in.inductance = static_cast<double>(r.inductance) * 1e-6;
    in.primaryPeak = r.ipkPrimary;
    in.secondaryPeak = r.ipkSecondary;
    in.onFraction = r.onDuty / 100.0;
    in.offFraction = rules.ccMode ? rules.outputDuty / 100.0 : 1 - in.onFraction - rules.idleRatio / 100.0;
    in.frequency = r.frequency * 1e3;
    in.temperature = rules.operatingTemperature;
    in.outputPower = static_cast<double>(inputs.outputVoltage) * inputs.outputCurrent;
    in.core = core;

    const auto usableWidth =
        static_cast<float>(static_cast<double>(inputs.slotWidth) * (1 - rules.slotWidthReserve * 0.01));
    const double w = usableWidth;
    const double tape = static_cast<double>(rules.tapeTurns) * rules.tapeThickness * kMm;
    const double pTW = static_cast<double>(outerDiameter(r.primaryWire)) * rules.primaryStrands;
    const double sTW = static_cast<double>(outerDiameter(r.secondaryWire)) * rules.secondaryStrands;
    const double fw = inputs.auxWireDiameter;
    const double np = r.primaryTurns;
    const double ns = r.secondaryTurns;
    const double nf = r.feedbackTurns;
    const auto feedbackLayers = layersOf(nf - 1, (w - pTW - sTW - fw) / fw);

    bool ok = true;
    if (rules.sandwichWinding == 0) {
        ok = addWinding(in, CopperRole::primary, np, r.primaryWire, rules.primaryStrands,
                        layersOf(np - 1, (w - pTW) / pTW), false, tape) &&
             addWinding(in, CopperRole::secondary, ns, r.secondaryWire, rules.secondaryStrands,
                        layersOf(ns - 1, (w - pTW - sTW) / sTW), false, tape);
    } else {
        const float secondHalf = r.sandwich ? r.secondHalfWire : r.primaryWire;
        const double np2 = r.secondHalfTurns;
        const double xTW = static_cast<double>(outerDiameter(secondHalf)) * rules.primaryStrands;
        ok = addWinding(in, CopperRole::primary, np, r.primaryWire, rules.primaryStrands,
                        layersOf(np, usableWidth / pTW), true, tape) &&
             addWinding(in, CopperRole::secondary, ns, r.secondaryWire, rules.secondaryStrands,
                        layersOf(ns, (w - pTW) / sTW), true, tape) &&
             addWinding(in, CopperRole::primary, np2, secondHalf, rules.primaryStrands,
                        layersOf(static_cast<float>(np2), (w - pTW - sTW) / xTW), true, tape);
    }
    ok = ok &&
         addWinding(in, CopperRole::auxiliary, nf, inputs.auxWireDiameter, 1, feedbackLayers, false, tape);
    if (!ok) return std::nullopt;
    return in;
}

SolutionFigureMaker::SolutionFigureMaker(const SearchSetup& setup) : setup_(setup) {
    if (setup.core) core_ = figureCore(*setup.core);
    if (core_) surfaceFactor_ = surfaceFactor(core_->core.effectiveVolume);
}

const FerriteAtPoint& SolutionFigureMaker::pointFor(double frequency, double temperature) {
    if (!pointMade_ || point_.frequency != frequency || point_.temperature != temperature) {
        point_ = ferriteAt(core_->ferrite, frequency, temperature);
        pointMade_ = true;
    }
    return point_;
}

std::optional<SolutionLossFigures> SolutionFigureMaker::figures(const CandidateRecord& record,
                                                                LossScope scope) {
    if (!core_) return std::nullopt;
    const std::optional<SolutionLossInputs> inputs = solutionLossInputs(record, setup_, core_->core);
    if (!inputs) return std::nullopt;
    const SolutionLossResult result =
        solutionLosses(*inputs, pointFor(inputs->frequency, inputs->temperature), scope, &cache_);
    if (result.fault != LossInputFault::none) return std::nullopt;
    return result.figures;
}

namespace {

// A floor under a candidate's copper loss read straight off its record, W, for refusing what a
// ranking cannot take before the fit's layers are worked out: each current-carrying winding's
// rms current through the DC resistance it would have lying as low as it can (every winding
// below it one layer of bare copper, the tape between). NaN or meaningless for a record the
// model refuses; such a record ranks last anyway.
double quickCopperFloor(const CandidateRecord& r, const SearchSetup& setup, const TurnColumn& column) {
    const RuleSet& rules = setup.rules;
    struct Layer {
        double turns;
        double bare;  // m
        double strands;
        double rms;  // A
    };
    const double d = r.onDuty / 100.0;
    const double d2 = rules.ccMode ? rules.outputDuty / 100.0 : 1 - d - rules.idleRatio / 100.0;
    const double primaryRms = rampRms({r.ipkPrimary, d});
    const double secondaryRms = rampRms({r.ipkSecondary, d2});
    const double primaryStrands = std::max(1, static_cast<int>(rules.primaryStrands));
    const double secondaryStrands = std::max(1, static_cast<int>(rules.secondaryStrands));
    std::array<Layer, 3> windings{{{r.primaryTurns, r.primaryWire * kMm, primaryStrands, primaryRms},
                                   {r.secondaryTurns, r.secondaryWire * kMm, secondaryStrands, secondaryRms},
                                   {0, 0, 1, 0}}};
    if (rules.sandwichWinding != 0) {
        const float secondHalf = r.sandwich ? r.secondHalfWire : r.primaryWire;
        windings[2] = {r.secondHalfTurns, secondHalf * kMm, primaryStrands, primaryRms};
    }
    const double tape = static_cast<double>(rules.tapeTurns) * rules.tapeThickness * kMm;
    const double resistivity = copperResistivity(rules.operatingTemperature);
    double loss = 0;
    double below = 0;
    bool first = true;
    for (const Layer& w : windings) {
        if (!(w.turns > 0)) continue;
        if (!first) below += tape;
        first = false;
        const double length = w.turns * turnLength(column, below + w.bare / 2);
        below += w.bare;
        const double area = w.strands * std::numbers::pi * w.bare * w.bare / 4;
        loss += resistivity * length / area * w.rms * w.rms;
    }
    return loss;
}

}  // namespace

// The core loss as the figures will have it, read straight off the record (rounding apart), W;
// 0 where the model has no core loss to give (such a record has no figures at all).
double SolutionFigureMaker::quickCoreLoss(const CandidateRecord& r, const SearchSetup& setup) {
    const RuleSet& rules = setup.rules;
    const FerriteAtPoint& point = pointFor(r.frequency * 1e3, rules.operatingTemperature);
    if (!point.hasLossLaw) return 0;
    double primaryTurns = 0;
    if (r.primaryTurns > 0) primaryTurns += r.primaryTurns;
    if (rules.sandwichWinding != 0 && r.secondHalfTurns > 0) primaryTurns += r.secondHalfTurns;
    const double bpk =
        static_cast<double>(r.inductance) * 1e-6 * r.ipkPrimary / (primaryTurns * core_->core.effectiveArea);
    const double d = r.onDuty / 100.0;
    const double d2 = rules.ccMode ? rules.outputDuty / 100.0 : 1 - d - rules.idleRatio / 100.0;
    const double loss = cache_.core.density(point.lossLaw, bpk, d, d2) * core_->core.effectiveVolume;
    return loss > 0 ? loss : 0;
}

namespace {

// A limit's verdict on a figure known only from below: past it, or not known yet.
enum class Verdict { within, past, unknown };

Verdict limitOnFloor(double limit, double floor) {
    if (!(limit > 0)) return Verdict::within;
    return floor > limit ? Verdict::past : Verdict::unknown;
}

}  // namespace

// The verdict a floor gives: the answer when it settles the candidate, else nothing.
std::optional<RankingFigures> SolutionFigureMaker::settledByFloor(const SolutionLossFloor& floor,
                                                                  double bar) const {
    const RuleSet& rules = setup_.rules;
    RankingFigures ranking;
    ranking.pastLimit = true;
    if (rules.maxFluxOfSaturation > 0 && floor.bpkOfBsatPct > rules.maxFluxOfSaturation) return ranking;
    const Verdict rise = limitOnFloor(rules.maxTemperatureRise, floor.temperatureRiseK);
    const Verdict loss = limitOnFloor(rules.maxTotalLoss, floor.totalLossW);
    if (rise == Verdict::past || loss == Verdict::past) return ranking;
    ranking.pastLimit = false;
    const bool byLoss = static_cast<RankBy>(rules.rankBy) == RankBy::loss;
    const double keyFloor = byLoss ? floor.totalLossW : floor.temperatureRiseK;
    if (rise != Verdict::within || loss != Verdict::within || !(keyFloor >= bar)) return std::nullopt;
    ranking.cannotEnter = true;
    return ranking;
}

RankingFigures SolutionFigureMaker::rankingFigures(const CandidateRecord& record, double bar) {
    RankingFigures ranking;
    if (!core_) return ranking;
    const RuleSet& rules = setup_.rules;
    const bool noLimit =
        !(rules.maxFluxOfSaturation > 0) && !(rules.maxTemperatureRise > 0) && !(rules.maxTotalLoss > 0);
    if (noLimit) {
        // Refusing is sound even for a record the model refuses: its key, +∞, cannot enter either.
        const double losses =
            (quickCoreLoss(record, setup_) + quickCopperFloor(record, setup_, core_->core.column)) *
            kRoundingMargin;
        // temperatureRise(losses, Ve), its power taken once
        const double floor =
            static_cast<RankBy>(rules.rankBy) == RankBy::loss ? losses : losses * 53 * surfaceFactor_;
        if (floor >= bar) {
            ranking.cannotEnter = true;
            return ranking;
        }
    }
    const std::optional<SolutionLossInputs> inputs = solutionLossInputs(record, setup_, core_->core);
    if (!inputs) return ranking;
    const FerriteAtPoint& point = pointFor(inputs->frequency, inputs->temperature);
    // The cheapest floor first; the full figures only for what the floors leave open.
    for (const CopperFloor kind : {CopperFloor::dc, CopperFloor::firstHarmonic}) {
        const SolutionLossFloorResult floor = solutionLossFloor(*inputs, point, kind, &cache_);
        // The full figures find the same fault: the candidate has no figures.
        if (floor.fault != LossInputFault::none) return ranking;
        if (const std::optional<RankingFigures> settled = settledByFloor(floor.floor, bar)) return *settled;
    }

    const SolutionLossResult result = solutionLosses(*inputs, point, LossScope::withoutGap, &cache_);
    if (result.fault != LossInputFault::none) return ranking;
    const SolutionLossFigures& f = result.figures;
    const double total = f.coreLossW + f.copperLossW;
    ranking.pastLimit = (rules.maxTemperatureRise > 0 && f.temperatureRiseK > rules.maxTemperatureRise) ||
                        (rules.maxFluxOfSaturation > 0 && f.bpkOfBsatPct > rules.maxFluxOfSaturation) ||
                        (rules.maxTotalLoss > 0 && total > rules.maxTotalLoss);
    ranking.key = static_cast<RankBy>(rules.rankBy) == RankBy::loss ? total : f.temperatureRiseK;
    return ranking;
}

std::optional<SolutionLossFigures> solutionFigures(const CandidateRecord& record, const SearchSetup& setup) {
    return SolutionFigureMaker(setup).figures(record);
}

}  // namespace quillmere
