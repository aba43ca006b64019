#pragma once

#include "engine/wire_catalogue.h"

namespace quillmere {

/// What orders the solutions. Values are stored in design files: never renumber.
enum class RankBy {
    fill = 0,         ///< the last layers' fill score, best first (the search's own)
    loss = 1,         ///< Pcore + Pcu, lowest first
    temperature = 2,  ///< ΔT, lowest first
    volume = 3,       ///< the core's Ve, smallest first, then the fill score
};

/// The design rules and wire candidates: what the rules dialog edits and the search reads.
/// Units: gauss, %, kHz, V, degrees, mm as noted.
struct RuleSet {
    float peakFlux = 2600;            ///< peak flux density centre, gauss
    float peakFluxSpan = 200;         ///< ± span, gauss
    float onDuty = 42;                ///< on-duty centre, %
    float onDutySpan = 0;             ///< ± span, %
    float frequency = 52;             ///< switching frequency centre, kHz
    float frequencySpan = 3;          ///< ± span, kHz
    float switchDrop = 4.0f;          ///< switch on-state drop, V
    float diodeDrop = 0.8f;           ///< output diode forward drop, V
    float tempRise = 80;              ///< coil temperature rise, degrees
    float windDepthLimit = 90;        ///< winding depth limit, % of the slot depth
    float firstWindingMinShare = 40;  ///< first winding minimum share, %
    float slotWidthReserve = 0;       ///< slot width reserve, %
    float tapeThickness = 0.02f;      ///< tape thickness, mm
    float tapeTurns = 2;              ///< tape turns between windings
    float outputDuty = 50;            ///< output duty, % (CC mode)
    float idleRatio = 20;             ///< idle ratio, % (CV mode)
    int maxSolutions = 10;            ///< most solutions shown
    bool ccMode = true;               ///< true: CC (PFM), false: CV (PWM)
    int sandwichWinding = 0;          ///< 0/1
    int skinEffect = 1;               ///< 0/1
    bool evenTurns = false;
    bool sandwichWireChange = false;
    WireSet primaryWires = defaultPrimaryWires();      ///< mm, slot i = catalogue entry i or 0
    WireSet secondaryWires = defaultSecondaryWires();  ///< mm, same layout
    float primaryStrands = 1;
    float secondaryStrands = 1;
    // Loss figures (catalogue cores only; a custom core has none and ignores these).
    float operatingTemperature = 100;  ///< core and copper temperature of the loss figures, °C
    int rankBy = 0;                    ///< a RankBy value
    float maxTemperatureRise = 0;      ///< reject a solution whose ΔT exceeds it, K; 0: no limit
    float maxFluxOfSaturation = 0;     ///< reject above this Bpk/Bsat, %; 0: no limit
    float maxTotalLoss = 0;            ///< reject above this Pcore + Pcu, W; 0: no limit

    static WireSet defaultPrimaryWires();
    static WireSet defaultSecondaryWires();

    bool operator==(const RuleSet&) const = default;
};

}  // namespace quillmere
