#pragma once

#include <array>
#include <string>

#include "engine/record_layout.h"

namespace quillmere {

/// The values of one accepted candidate (or sandwich split) from which its record texts are
/// written. Turns are whole numbers held in floats; diameters in mm.
struct CandidateRecord {
    float score = 0;
    float primaryTurns = 0;     ///< Np, or Np_1 in a sandwich
    float secondaryTurns = 0;   ///< Ns
    float secondHalfTurns = 0;  ///< Np_2; 0 writes "No" (plain winding)
    float feedbackTurns = 0;    ///< Nf
    float primaryWire = 0;      ///< dp
    float primaryStrands = 1;   ///< np
    bool sandwich = false;
    float secondHalfWire = 0;      ///< dx, sandwich only
    float secondaryWire = 0;       ///< ds
    float secondaryStrands = 1;    ///< ns
    float feedbackWire = 0;        ///< df
    float inductance = 0;          ///< Lp after snapping, µH
    double frequency = 0;          ///< kHz: the integer grid value or the float working frequency
    int fluxDensity = 0;           ///< gauss
    int onDuty = 0;                ///< %
    float ipkPrimary = 0;          ///< A
    float ipkSecondary = 0;        ///< A
    float inputCapacitance = 0;    ///< µF
    float reflectedVoltage = 0;    ///< V
    std::array<float, 4> fills{};  ///< last-layer fractions of windings 1..4 (plain: fP, fS, 0, fF)

    bool operator==(const CandidateRecord&) const = default;
};

struct Solution;

/// The text of one field of a ranked solution, as the table, exports and diagram show it. The
/// only place a solution's numbers become texts.
std::string solutionText(const Solution& solution, RecordField field);

/// All 22 texts of a ranked solution, in record order.
std::array<std::string, kShownRecordSize> solutionTexts(const Solution& solution);

/// "0.23*1": a diameter and its strand count.
std::string wireText(float diameter, float strands);

}  // namespace quillmere
