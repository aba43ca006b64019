#include "sheet/winding_sheet_adapter.h"

#include <algorithm>
#include <cmath>

#include "engine/core_figures.h"
#include "engine/core_selection.h"
#include "engine/solution_figures.h"
#include "engine/winding_fit.h"
#include "engine/winding_layout.h"
#include "sheet/sheet_text.h"

using namespace quillmere;

namespace {

// A catalogue core's solution: its losses, the windings' DC resistances at 20 °C (the figures
// list the wound windings in the sheet's order) and the gap corrected for fringing.
void fillLossFigures(WindingSheetContent& c, const SolutionLossFigures& f) {
    c.losses.coreLoss = {f.coreLossW, SheetGap::None};
    c.losses.copperLoss = {f.copperLossW, SheetGap::None};
    c.losses.temperatureRise = {f.temperatureRiseK, SheetGap::None};
    c.losses.auxiliaryCurrentZero = std::ranges::any_of(
        c.windings, [](const SheetWinding& w) { return w.role == WindingRole::Auxiliary; });
    if (f.copper.windingCount == c.windings.size())
        for (std::size_t k = 0; k < c.windings.size(); ++k)
            c.windings[k].resistance = {f.copper.windings[k].resistance20, SheetGap::None};
    if (f.gapComputed && f.noGap == NoGapReason::none) c.core.correctedGap = {f.gapMm, SheetGap::None};
}

const std::string kProgram = "Quillmere 1.4";

int wholeTurns(double turns) {
    return std::isfinite(turns) ? static_cast<int>(std::clamp(std::lround(turns), 0L, 1000000L)) : 0;
}

/// Turns and bare wire diameter (mm) of the winding at `position` from the bobbin outwards, in
/// the layout's order: Np (or Np_1), Ns, Np_2, Nf.
std::pair<double, double> turnsAndWire(const CandidateRecord& r, std::size_t position) {
    switch (position) {
        case 0:
            return {r.primaryTurns, r.primaryWire};
        case 1:
            return {r.secondaryTurns, r.secondaryWire};
        case 2:
            return {r.secondHalfTurns, r.secondHalfWire};
        default:
            return {r.feedbackTurns, r.feedbackWire};
    }
}

WindingRole roleOf(std::size_t position, bool sandwich) {
    switch (position) {
        case 0:
            return sandwich ? WindingRole::PrimaryFirstHalf : WindingRole::Primary;
        case 1:
            return WindingRole::Secondary;
        case 2:
            return WindingRole::PrimarySecondHalf;
        default:
            return WindingRole::Auxiliary;
    }
}

std::pair<int, int> pinsOf(WindingRole role, const MakerSettings& s) {
    switch (role) {
        case WindingRole::Primary:
            return {s.primaryStartPin, s.primaryFinishPin};
        case WindingRole::PrimaryFirstHalf:
            return {s.primaryStartPin, s.primaryMidpointPin};
        case WindingRole::PrimarySecondHalf:
            return {s.primaryMidpointPin, s.primaryFinishPin};
        case WindingRole::Secondary:
            return {s.secondaryStartPin, s.secondaryFinishPin};
        case WindingRole::Auxiliary:
            break;
    }
    return {s.auxiliaryStartPin, s.auxiliaryFinishPin};
}

double strandsOf(WindingRole role, const RuleSet& rules) {
    switch (role) {
        case WindingRole::Secondary:
            return rules.secondaryStrands;
        case WindingRole::Auxiliary:
            return 1;
        default:
            return rules.primaryStrands;
    }
}

}  // namespace

SheetContentResult windingSheetContent(const Design& analysed, const AnalysisResult& result,
                                       int solutionIndex, const QString& designName, QDate date) {
    const Solution* found = solutionAt(result.solutions, solutionIndex);
    if (!found)
        return {std::nullopt, WindingSheet::tr("没有第 %1 个解法（共 %2 个）。")
                                  .arg(static_cast<qint64>(solutionIndex) + 1)
                                  .arg(static_cast<qint64>(result.solutions.size()))};
    const Solution& solution = *found;
    // A solution of a core search is wound on its own core: its Ae and slot, not the form's.
    const CoreContext* woundOn = solutionCore(result, solution);
    Design design = analysed;
    if (woundOn) design.inputs = withCore(analysed.inputs, *woundOn);
    const CandidateRecord& numbers = solution.numbers;
    const auto layouts = windingLayouts(solution, design);
    for (const auto& w : layouts) {
        if (w && !w->matchesRecord)
            return {
                std::nullopt,
                WindingSheet::tr(
                    "第 %1 个解法的绕组与当前设计不符（槽宽、线径、股数或绕法在分析后改过），请重新分析。")
                    .arg(solutionIndex + 1)};
    }
    const DesignInputs& in = design.inputs;
    const RuleSet& rules = design.rules;
    const MakerSettings& maker = design.sheet;
    const double lp = numbers.inductance;
    if (!(lp > 0 && std::isfinite(lp)))
        return {std::nullopt, WindingSheet::tr("无法估算磁芯数据：Lp 不大于零。")};
    if (!(in.coreAe > 0 && std::isfinite(in.coreAe)))
        return {std::nullopt, WindingSheet::tr("无法估算磁芯数据：磁芯AE 不大于零。")};
    const CoreFiguresResult figures = coreFigures(solution, in.coreAe);
    if (!figures.figures) return {std::nullopt, WindingSheet::tr("无法估算磁芯数据：Np 不大于零。")};
    const CoreFigures& core = *figures.figures;

    WindingSheetContent c;
    c.sandwich = rules.sandwichWinding != 0;
    c.title = {designName.toStdString(),
               date.toString(Qt::ISODate).toStdString(),
               kProgram,
               solutionIndex + 1,
               maker.revision,
               maker.drawnBy,
               maker.checkedBy};

    // Windings from the bobbin outwards, each as whole turns spread over whole layers.
    const double usableWidth = in.slotWidth * (1 - rules.slotWidthReserve * 0.01);
    for (std::size_t k = 0; k < layouts.size(); ++k) {
        if (!layouts[k]) continue;
        const WindingLayout& layout = *layouts[k];
        SheetWinding w;
        w.role = roleOf(k, c.sandwich);
        w.symbol = layout.name;
        const auto [turns, bare] = turnsAndWire(numbers, k);
        w.turns = wholeTurns(turns);
        if (w.turns == 0) {
            c.notWound.push_back(w.symbol);
            continue;
        }
        std::tie(w.startPin, w.finishPin) = pinsOf(w.role, maker);
        w.bareDiameter = bare;
        w.outerDiameter = outerDiameter(static_cast<float>(w.bareDiameter));
        w.strands = strandsOf(w.role, rules);
        const double perLayer = std::floor(usableWidth / (w.outerDiameter * w.strands) + 1e-9);
        if (!(perLayer >= 1) || !std::isfinite(perLayer))
            return {std::nullopt, WindingSheet::tr("绕组 %1 的一匝宽于可用槽宽，请重新分析。")
                                      .arg(QString::fromStdString(w.symbol))};
        w.turnsPerLayer = static_cast<int>(std::min(perLayer, 1e6));
        w.layers = (w.turns + w.turnsPerLayer - 1) / w.turnsPerLayer;
        w.lastLayerTurns = w.turns - (w.layers - 1) * w.turnsPerLayer;
        w.buildHeight = w.layers * w.outerDiameter;
        w.tapeLayers = rules.tapeTurns;
        w.tapeThickness = rules.tapeThickness;
        w.resistance.gap = SheetGap::NoLossFigures;
        c.windings.push_back(w);
    }

    if (woundOn) {
        c.core.coreName.text = woundOn->core.name;
        c.core.material.text = woundOn->material.name;
        c.core.bobbin.text = woundOn->bobbin.name;
    } else {
        c.core.coreName.gap = SheetGap::NoCatalogueCore;
        c.core.material.gap = SheetGap::NoCatalogueCore;
        c.core.bobbin.gap = SheetGap::NoCatalogueCore;
    }
    // The catalogue holds no pin count: it is only part of some bobbin names.
    c.core.pinCountGap = SheetGap::NoCatalogueCore;
    c.core.effectiveArea = in.coreAe;
    c.core.slotWidth = in.slotWidth;
    c.core.slotDepth = in.slotDepth;
    c.core.inductanceFactor = core.inductanceFactor;
    c.core.alTolerance = maker.alTolerance;
    c.core.centreGap = core.airGap;
    c.core.correctedGap.gap = SheetGap::NoCatalogueCore;
    c.core.primaryTurns = core.primaryTurns;
    c.core.storedEnergy = core.storedEnergy;

    c.operatingPoint = {numbers.frequency,         static_cast<double>(numbers.onDuty),
                        numbers.fluxDensity * 0.1,  // gauss to mT
                        numbers.reflectedVoltage,  numbers.ipkPrimary,
                        numbers.ipkSecondary};

    SheetTests& t = c.tests;
    t.inductance = lp;
    t.inductanceTolerance = maker.inductanceTolerance;
    t.testFrequency = maker.inductanceTestFrequency;
    t.testVoltage = maker.inductanceTestVoltage;
    t.primaryStartPin = maker.primaryStartPin;
    t.primaryFinishPin = maker.primaryFinishPin;
    t.leakagePercent = maker.leakageLimit;
    t.leakageLimit = lp * maker.leakageLimit * 0.01;
    t.hipotPrimarySecondary = maker.hipotPrimarySecondary;
    t.hipotPrimaryCore = maker.hipotPrimaryCore;
    t.hipotDuration = maker.hipotDuration;
    t.insulationVoltage = maker.insulationTestVoltage;
    t.insulationMinimum = maker.insulationResistanceMin;
    const int np = static_cast<int>(std::lround(core.primaryTurns));
    for (const SheetWinding& w : c.windings) {
        if (w.role != WindingRole::Secondary && w.role != WindingRole::Auxiliary) continue;
        t.ratios.push_back({"Np", w.symbol, np, w.turns, maker.primaryStartPin, w.startPin});
    }

    c.losses.coreLoss.gap = SheetGap::NoLossFigures;
    c.losses.copperLoss.gap = SheetGap::NoLossFigures;
    c.losses.temperatureRise.gap = SheetGap::NoLossFigures;
    if (solution.figures) fillLossFigures(c, *solution.figures);

    SheetCrossSection& x = c.crossSection;
    x.slotWidth = in.slotWidth;
    x.slotDepth = in.slotDepth;
    x.margin = std::max(0.0, (in.slotWidth - usableWidth) / 2);
    x.depthLimit = rules.windDepthLimit * 0.01 * in.slotDepth;
    double depth = 0;
    for (std::size_t k = 0; k < c.windings.size(); ++k) {
        const SheetWinding& w = c.windings[k];
        x.bands.push_back({false, k, depth, w.buildHeight});
        depth += w.buildHeight;
        const double tape = std::max(0.0, w.tapeLayers * w.tapeThickness);
        if (tape > 0) {
            x.bands.push_back({true, k, depth, tape});
            depth += tape;
        }
    }
    x.buildHeight = depth;

    const auto controller = static_cast<std::size_t>(design.controllerChoice);
    c.conditions = {in.minInputVac,
                    in.maxInputVac,
                    in.outputVoltage,
                    in.outputCurrent,
                    in.feedbackVoltage,
                    in.efficiency,
                    controller < kControllerNames.size() ? std::string(kControllerNames[controller]) : "",
                    rules.ccMode,
                    rules.frequency};

    for (const SheetWinding& w : c.windings) {
        const bool listed = std::any_of(c.wires.begin(), c.wires.end(),
                                        [&](const SheetWire& s) { return s.bareDiameter == w.bareDiameter; });
        if (!listed) c.wires.push_back({w.bareDiameter, w.outerDiameter});
    }
    std::sort(c.wires.begin(), c.wires.end(),
              [](const SheetWire& a, const SheetWire& b) { return a.bareDiameter < b.bareDiameter; });
    c.tapeThickness = rules.tapeThickness;
    c.tapeWidth = in.slotWidth;  // over the margin tapes too
    return {c, {}};
}
