#pragma once

#include <string>

namespace quillmere {

/// What the winding sheet tells the transformer maker beyond the solution: the bobbin pins each
/// winding starts and finishes on, the conditions of the electrical tests, and the title block.
/// Kept in the design file's "sheet" object; the search never reads it.
struct MakerSettings {
    // Bobbin pins (numbers as moulded on the bobbin). A sandwiched primary runs start →
    // midpoint (first half) and midpoint → finish (second half).
    int primaryStartPin = 1;
    int primaryMidpointPin = 2;  ///< used by a sandwiched primary only
    int primaryFinishPin = 3;
    int auxiliaryStartPin = 4;
    int auxiliaryFinishPin = 5;
    int secondaryStartPin = 6;
    int secondaryFinishPin = 10;

    // Electrical tests.
    float inductanceTestFrequency = 10;   ///< Lp measured at this frequency, kHz
    float inductanceTestVoltage = 0.4f;   ///< and this test voltage, V rms
    float inductanceTolerance = 10;       ///< Lp tolerance, ± %
    float alTolerance = 5;                ///< AL tolerance the gap is ground to, ± %
    float leakageLimit = 3;               ///< leakage inductance at most, % of Lp (secondaries shorted)
    float hipotPrimarySecondary = 3000;   ///< hipot primary to secondary, V AC
    float hipotPrimaryCore = 1500;        ///< hipot primary to core, V AC
    float hipotDuration = 60;             ///< each hipot test lasts, s
    float insulationTestVoltage = 500;    ///< insulation resistance measured at, V DC
    float insulationResistanceMin = 100;  ///< insulation resistance at least, MΩ

    // Title block.
    std::string revision = "A";
    std::string drawnBy;
    std::string checkedBy;

    bool operator==(const MakerSettings&) const = default;
};

}  // namespace quillmere
