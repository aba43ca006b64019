#pragma once

#include "engine/rule_set.h"

/// The numbers the rules dialog edits while it is open; they reach the design state only when
/// the engineer saves. `maxSolutions` is held as typed (a float) and `primaryStrands` as a
/// whole number.
struct RulesWorkingCopy {
    float peakFlux = 0;
    float peakFluxSpan = 0;
    float onDuty = 0;
    float onDutySpan = 0;
    float frequency = 0;
    float frequencySpan = 0;
    float windDepthLimit = 0;
    float maxSolutions = 0;
    float firstWindingMinShare = 0;
    float tapeThickness = 0;
    float idleRatio = 0;
    float tempRise = 0;
    float diodeDrop = 0;
    float switchDrop = 0;
    float slotWidthReserve = 0;
    float tapeTurns = 0;
    float outputDuty = 0;
    int primaryStrands = 0;
    float secondaryStrands = 0;

    static RulesWorkingCopy from(const RuleSet& rules);
    /// Writes the 19 numbers into `rules`, leaving the options, the mode and the wire sets alone.
    void writeTo(RuleSet& rules) const;
};

/// `value` truncated toward zero; values beyond the range of int give its nearest end, NaN 0.
int truncateToInt(float value);
