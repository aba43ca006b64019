#include "engine/core_figures.h"

#include <cmath>
#include <numbers>

#include "engine/number_text.h"

namespace {

bool aboveZero(double value) {
    return value > 0 && std::isfinite(value);
}

}  // namespace

CoreFiguresResult coreFigures(ShownRecord record, double coreAe) {
    const double lp = parseNumberPrefix(field(record, RecordField::inductance));  // µH
    // "No" as the second half of a plain primary reads 0.
    const double np = parseNumberPrefix(field(record, RecordField::primaryTurns1)) +
                      parseNumberPrefix(field(record, RecordField::primaryTurns2));
    const double ipk = parseNumberPrefix(field(record, RecordField::ipkPrimary));  // A
    if (!aboveZero(lp)) return {std::nullopt, "Lp 不大于零: " + field(record, RecordField::inductance)};
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
