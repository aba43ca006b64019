#include "diagram/diagram_texts.h"

#include <algorithm>
#include <cmath>

#include "engine/analysis_result.h"
#include "engine/number_text.h"

using namespace quillmere;

namespace {

constexpr double kSlotLeft = 222.0;
constexpr double kSlotRight = 580.0;
constexpr double kSlotWidth = kSlotRight - kSlotLeft;

struct WindingLabels {
    std::string_view caption;
    std::string_view turnsLabel;
    RecordField turns;
    std::string_view wireLabel;
    RecordField fill;
};

constexpr std::array<WindingLabels, 4> kWindings = {{
    {"Winding1:", "Np_1=", RecordField::primaryTurns1, "φp1=", RecordField::fill1},
    {"Winding2:", "Ns=", RecordField::secondaryTurns, "φs=", RecordField::fill2},
    {"Winding3:", "Np_2=", RecordField::primaryTurns2, "φp2=", RecordField::fill3},
    {"Winding4:", "Nf=", RecordField::feedbackTurns, "φf=", RecordField::fill4},
}};

std::string windingLine(const WindingLabels& labels, std::string_view turns, std::string_view wire,
                        std::string_view fill) {
    std::string line;
    line.append(labels.caption).append(labels.turnsLabel).append(turns).append("Ts ");
    line.append(labels.wireLabel).append(wire).append(" Layer:").append(fill);
    return line;
}

// Truncation of an out-of-range float is undefined, and a band wider than the slot means
// nothing: fills outside 0..1 (or unreadable ones) are held to the slot.
double clampedFill(double fill) {
    if (std::isnan(fill)) return 0.0;
    return std::clamp(fill, 0.0, 1.0);
}

}  // namespace

PrimaryWires splitPrimaryWire(std::string_view primaryWire) {
    const auto slash = primaryWire.find('/');
    PrimaryWires wires;
    if (slash == std::string_view::npos) {
        wires.first = primaryWire;
        wires.second = primaryWire;
    } else {
        wires.first = primaryWire.substr(0, slash);
        wires.second = primaryWire.substr(slash + 1);
    }
    if (!wires.second.empty() && wires.second.back() == '.') wires.second.pop_back();
    return wires;
}

std::string turnsRatioText(double primaryTurns1, double primaryTurns2, double secondaryTurns) {
    if (secondaryTurns == 0.0) return "Np/Ns=--";
    const auto ratio = static_cast<float>((primaryTurns1 + primaryTurns2) / secondaryTurns);
    if (!std::isfinite(ratio)) return "Np/Ns=--";
    return "Np/Ns=" + numberText(ratio);
}

std::string tapeText(float tapeTurns) {
    return numberText(tapeTurns) + "Ts Ins...Tape";
}

std::string turnsRatioText(const Solution& solution) {
    const CandidateRecord& r = solution.numbers;
    return turnsRatioText(shownValue(r.primaryTurns), shownValue(r.secondHalfTurns),
                          shownValue(r.secondaryTurns));
}

DiagramTexts buildDiagramTexts(const Solution& solution, float tapeTurns) {
    const auto field = [&solution](RecordField f) { return solutionText(solution, f); };
    const PrimaryWires primary = splitPrimaryWire(field(RecordField::primaryWire));
    const std::array<std::string, 4> wires = {primary.first, field(RecordField::secondaryWire),
                                              primary.second, field(RecordField::feedbackWire)};
    DiagramTexts texts;
    for (std::size_t n = 0; n < kWindings.size(); ++n) {
        const WindingLabels& w = kWindings[n];
        texts.windingLines[n] = windingLine(w, field(w.turns), wires[n], field(w.fill));
    }
    texts.inductance = "Inductance(Lp)" + field(RecordField::inductance) + "μH " +
                       " Bpk=" + field(RecordField::fluxDensity) + "GS";
    texts.tape = tapeText(tapeTurns);
    texts.frequency = "Frq=" + field(RecordField::frequency) + "kHz";
    texts.duty = "DMax=" + field(RecordField::duty);
    texts.reflectedVoltage = "Vor=" + field(RecordField::reflectedVoltage) + "V";
    texts.turnsRatio = turnsRatioText(solution);
    return texts;
}

BandSpan bandSpan(double fill) {
    const double gap = (1.0 - clampedFill(fill)) / 2.0 * kSlotWidth;
    const auto left = static_cast<int>(static_cast<float>(kSlotLeft + gap));
    const auto right = static_cast<int>(static_cast<float>(kSlotRight - gap));
    return {left, std::max(left, right)};
}
