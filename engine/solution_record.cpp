#include "engine/solution_record.h"

#include "engine/analysis_result.h"
#include "engine/number_text.h"

namespace quillmere {

std::string wireText(float diameter, float strands) {
    return numberText(diameter) + "*" + numberText(strands);
}

std::string solutionText(const Solution& solution, RecordField field) {
    const CandidateRecord& r = solution.numbers;
    switch (field) {
        case RecordField::rank:
            return numberTextWithPoint(solution.rank);
        case RecordField::score:
            return numberText(r.score);
        case RecordField::primaryTurns1:
            return numberText(r.primaryTurns);
        case RecordField::secondaryTurns:
            return numberText(r.secondaryTurns);
        case RecordField::primaryTurns2:
            return r.secondHalfTurns == 0 ? std::string("No") : numberText(r.secondHalfTurns);
        case RecordField::feedbackTurns:
            return numberText(r.feedbackTurns);
        case RecordField::primaryWire: {
            std::string primary = wireText(r.primaryWire, r.primaryStrands);
            if (r.sandwich) primary.append(1, '/').append(wireText(r.secondHalfWire, r.primaryStrands));
            return primary;
        }
        case RecordField::secondaryWire:
            return wireText(r.secondaryWire, r.secondaryStrands);
        case RecordField::feedbackWire:
            return numberText(r.feedbackWire) + "*1";
        case RecordField::inductance:
            return numberText(r.inductance);
        case RecordField::frequency:
            return numberText(r.frequency);
        case RecordField::fluxDensity:
            return numberText(r.fluxDensity);
        case RecordField::currentDensity:
            return "Skipped";
        case RecordField::duty:
            return numberText(r.onDuty);
        case RecordField::ipkPrimary:
            return numberText(r.ipkPrimary);
        case RecordField::ipkSecondary:
            return numberText(r.ipkSecondary);
        case RecordField::inputCapacitance:
            return numberText(r.inputCapacitance);
        case RecordField::reflectedVoltage:
            return numberText(r.reflectedVoltage);
        case RecordField::fill1:
            return numberText(r.fills[0]);
        case RecordField::fill2:
            return numberText(r.fills[1]);
        case RecordField::fill3:
            return numberText(r.fills[2]);
        case RecordField::fill4:
            return numberText(r.fills[3]);
    }
    return {};
}

std::array<std::string, kShownRecordSize> solutionTexts(const Solution& solution) {
    std::array<std::string, kShownRecordSize> texts;
    for (std::size_t k = 0; k < kShownRecordSize; ++k)
        texts[k] = solutionText(solution, static_cast<RecordField>(k));
    return texts;
}

}  // namespace quillmere
