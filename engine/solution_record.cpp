#include "engine/solution_record.h"

#include "engine/number_text.h"

std::string wireText(float diameter, float strands) {
    return numberText(diameter) + "*" + numberText(strands);
}

std::array<std::string, kRawRecordSize> recordTexts(const CandidateRecord& r) {
    std::string primary = wireText(r.primaryWire, r.primaryStrands);
    if (r.sandwich) primary.append(1, '/').append(wireText(r.secondHalfWire, r.primaryStrands));
    return {
        numberText(r.score),
        numberText(r.primaryTurns),
        numberText(r.secondaryTurns),
        r.secondHalfTurns == 0 ? std::string("No") : numberText(r.secondHalfTurns),
        numberText(r.feedbackTurns),
        primary,
        wireText(r.secondaryWire, r.secondaryStrands),
        numberText(r.feedbackWire) + "*1",
        numberText(r.inductance),
        numberText(r.frequency),
        numberText(r.fluxDensity),
        "Skipped",
        numberText(r.onDuty),
        numberText(r.ipkPrimary),
        numberText(r.ipkSecondary),
        numberText(r.inputCapacitance),
        numberText(r.reflectedVoltage),
        numberText(r.fills[0]),
        numberText(r.fills[1]),
        numberText(r.fills[2]),
        numberText(r.fills[3]),
    };
}
