#pragma once

#include <optional>
#include <string>

namespace quillmere {

struct Solution;

/// What the core of a shown solution must provide, first-order figures for the core maker.
struct CoreFigures {
    double primaryTurns = 0;      ///< Np; both halves of a sandwiched primary
    double inductanceFactor = 0;  ///< AL = Lp / Np², nH/N²
    double airGap = 0;            ///< lg = µ0 · Np² · Ae / Lp, mm: no fringing, core reluctance neglected
    double storedEnergy = 0;      ///< ½ · Lp · Ipkp², µJ
};

/// The figures, or why there are none.
struct CoreFiguresResult {
    std::optional<CoreFigures> figures;
    std::string refusal;  ///< names the value that is not above zero
};

/// The core figures of `solution` on a core of effective area `coreAe` (mm²), from its numbers as
/// shown. Refused when Lp, Np or Ae is not above zero (or not finite).
CoreFiguresResult coreFigures(const Solution& solution, double coreAe);

}  // namespace quillmere
