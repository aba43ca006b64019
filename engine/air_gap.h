#pragma once

namespace quillmere {

/// Magnetic figures of a gapped core set, SI units.
struct GapCore {
    double effectiveArea = 0;       ///< Ae, m²
    double effectiveLength = 0;     ///< le, m
    double centreLegArea = 0;       ///< Ac, m²
    double centreLegPerimeter = 0;  ///< C, m
    double windowHeight = 0;        ///< hw: window height of one half of the set (the shape's D), m
    double permeability = 0;        ///< µi at the operating temperature
};

/// Why no centre-leg gap gives the inductance.
enum class NoGapReason {
    none,
    aboveUngappedCore,  ///< Lp is at or above what the ungapped core gives Np turns
    beyondHalfWindow,   ///< the gap would be longer than half the window (hw)
};

/// English text naming the reason.
const char* noGapReasonText(NoGapReason reason);

/// The gap for an inductance, with the first-order figure beside it.
struct AirGap {
    NoGapReason reason = NoGapReason::none;
    double length = 0;            ///< lg, m (when reason is none)
    double firstOrderLength = 0;  ///< µ0·Ac·Np²/Lp − le/µi, m (may be ≤ 0); always given
    double inductanceFactor = 0;  ///< AL = Lp / Np², H
};

/// Reluctance of the gap lg (m) with fringing: Rin ∥ Rfr, Rin = lg/(µ0·Ac),
/// Rfr = π / (µ0·C·ln((2h + lg)/lg)), h = hw − lg/2; 1/H. Zero at lg = 0.
double gapReluctance(const GapCore& core, double gap);

/// Reluctance of the ungapped core le/(µ0·µi·Ae), 1/H.
double coreReluctance(const GapCore& core);

/// The centre-leg gap lg solving Np²/Lp = le/(µ0·µi·Ae) + Rgap(lg), by bisection on (0, hw],
/// to 1e-9 of hw. `inductance` in H, `turns` the whole primary. Allocates nothing.
AirGap airGap(const GapCore& core, double inductance, double turns);

}  // namespace quillmere
