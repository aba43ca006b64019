#pragma once

#include <optional>

#include "engine/search_setup.h"

namespace quillmere {

/// One grid point of the search: on-duty %, bus voltage V, frequency kHz, flux density gauss.
struct GridPoint {
    int onDuty = 0;
    int busVoltage = 0;
    int frequency = 0;
    int fluxDensity = 0;
};

/// The electrical design of one grid point, each value as stored in single precision.
struct ElectricalDesign {
    bool rejected = false;
    float ipkSecondary = 0;      ///< Ipks, A
    float reflectedVoltage = 0;  ///< Vor, V
    float turnsRatio = 0;        ///< n
    float ipkPrimary = 0;        ///< Ipkp, A
    float inductance = 0;        ///< Lp after snapping, µH
    float primaryTurns = 0;      ///< Np, rounded
    float secondaryTurns = 0;    ///< Ns
    float feedbackTurns = 0;     ///< Nf
    float inputCapacitance = 0;  ///< Cin, µF
    float skinDepthLimit = 0;    ///< dmax, mm
};

/// Peak currents, reflected voltage, snapped inductance, turns, input capacitance and skin-depth
/// limit of a grid point, with the electrical acceptance tests. A non-finite value, a zero
/// divisor, turns or peak currents or reflected voltage not above zero, or negative feedback
/// turns reject the point. `workFrequency` (kHz) is the fixed frequency of CV mode.
ElectricalDesign designElectrical(const SearchSetup& setup, float workFrequency, const GridPoint& point);

/// The standard inductance an Lp (µH) snaps to: within less than 15 µH of a multiple of 50
/// below 1000, then within less than 35 µH of a multiple of 100 from 1000 up; none: rejected.
std::optional<float> snapInductance(float inductance);

/// Integer part, plus one when the remainder is 0.5 or more.
double roundTurns(double value);

}  // namespace quillmere
