#include "rules/rules_working_copy.h"

#include <cmath>
#include <limits>

int truncateToInt(float value) {
    // 2^31 is exact in float; everything strictly inside the range converts without overflow.
    constexpr float kLimit = 2147483648.0f;
    if (std::isnan(value)) return 0;
    if (value >= kLimit) return std::numeric_limits<int>::max();
    if (value <= -kLimit) return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

RulesWorkingCopy RulesWorkingCopy::from(const RuleSet& r) {
    RulesWorkingCopy w;
    w.peakFlux = r.peakFlux;
    w.peakFluxSpan = r.peakFluxSpan;
    w.onDuty = r.onDuty;
    w.onDutySpan = r.onDutySpan;
    w.frequency = r.frequency;
    w.frequencySpan = r.frequencySpan;
    w.windDepthLimit = r.windDepthLimit;
    w.maxSolutions = static_cast<float>(r.maxSolutions);
    w.firstWindingMinShare = r.firstWindingMinShare;
    w.tapeThickness = r.tapeThickness;
    w.idleRatio = r.idleRatio;
    w.tempRise = r.tempRise;
    w.diodeDrop = r.diodeDrop;
    w.switchDrop = r.switchDrop;
    w.slotWidthReserve = r.slotWidthReserve;
    w.tapeTurns = r.tapeTurns;
    w.outputDuty = r.outputDuty;
    w.primaryStrands = truncateToInt(r.primaryStrands);
    w.secondaryStrands = r.secondaryStrands;
    return w;
}

void RulesWorkingCopy::writeTo(RuleSet& r) const {
    r.peakFlux = peakFlux;
    r.peakFluxSpan = peakFluxSpan;
    r.onDuty = onDuty;
    r.onDutySpan = onDutySpan;
    r.frequency = frequency;
    r.frequencySpan = frequencySpan;
    r.windDepthLimit = windDepthLimit;
    r.maxSolutions = truncateToInt(maxSolutions);
    r.firstWindingMinShare = firstWindingMinShare;
    r.tapeThickness = tapeThickness;
    r.idleRatio = idleRatio;
    r.tempRise = tempRise;
    r.diodeDrop = diodeDrop;
    r.switchDrop = switchDrop;
    r.slotWidthReserve = slotWidthReserve;
    r.tapeTurns = tapeTurns;
    r.outputDuty = outputDuty;
    r.primaryStrands = static_cast<float>(primaryStrands);
    r.secondaryStrands = secondaryStrands;
}
