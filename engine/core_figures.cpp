#include "engine/core_figures.h"

#include <cmath>
#include <numbers>

#include "engine/analysis_result.h"
#include "engine/number_text.h"

namespace quillmere {

namespace {

bool aboveZero(double value) {
    return value > 0 && std::isfinite(value);
}

}  // namespace

CoreFiguresResult coreFigures(const Solution& solution, double coreAe) {
    const CandidateRecord& r = solution.numbers;
    const double lp = shownValue(r.inductance);  // µH
    // A plain primary has no second half (0).
    const double np = shownValue(r.primaryTurns) + shownValue(r.secondHalfTurns);
    const double ipk = shownValue(r.ipkPrimary);  // A
    if (!aboveZero(lp))
        return {std::nullopt, "Lp 不大于零: " + solutionText(solution, RecordField::inductance)};
    if (!aboveZero(np)) return {std::nullopt, "Np 不大于零: " + numberText(np)};
    if (!aboveZero(coreAe)) return {std::nullopt, "磁芯AE 不大于零: " + numberText(coreAe)};

    constexpr double kMu0 = 4e-7 * std::numbers::pi;  // H/m
    CoreFigures f;
    f.primaryTurns = np;
    f.inductanceFactor = lp * 1e3 / (np * np);
    // µ0 · Np² · Ae[mm² → m²] / Lp[µH → H], in m, then mm.
    f.airGap = kMu0 * np * np * (coreAe * 1e-6) / (lp * 1e-6) * 1e3;
    f.storedEnergy = 0.5 * lp * ipk * ipk;  // µH · A² = µJ
    return {f, {}};
}

}  // namespace quillmere
