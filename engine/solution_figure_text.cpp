#include "engine/solution_figure_text.h"

#include <cmath>
#include <cstdio>

#include "engine/analysis_result.h"

namespace quillmere {

std::optional<double> solutionFigure(const Solution& solution, FigureColumn column) {
    if (!solution.figures) return std::nullopt;
    const SolutionLossFigures& f = *solution.figures;
    const bool gap = f.gapComputed && f.noGap == NoGapReason::none;
    switch (column) {
        case FigureColumn::coreLoss:
            return f.coreLossW;
        case FigureColumn::copperLoss:
            return f.copperLossW;
        case FigureColumn::temperatureRise:
            return f.temperatureRiseK;
        case FigureColumn::bpk:
            return f.bpkMt;
        case FigureColumn::bpkOfBsat:
            return f.bpkOfBsatPct;
        case FigureColumn::gap:
            return gap ? std::optional(f.gapMm) : std::nullopt;
        case FigureColumn::inductanceFactor:
            return gap ? std::optional(f.alNhPerTurn2) : std::nullopt;
    }
    return std::nullopt;
}

std::string figureText(double value) {
    if (!std::isfinite(value)) return "—";
    char text[32];
    std::snprintf(text, sizeof text, "%.4g", value);
    return text;
}

std::string solutionFigureText(const Solution& solution, FigureColumn column) {
    const std::optional<double> value = solutionFigure(solution, column);
    return value ? figureText(*value) : "—";
}

}  // namespace quillmere
