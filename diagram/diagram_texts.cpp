#include "diagram/diagram_texts.h"

#include <algorithm>
#include <cmath>

#include "engine/number_text.h"

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

std::string turnsRatioText(std::string_view primaryTurns1, std::string_view primaryTurns2,
                           std::string_view secondaryTurns) {
    const double secondary = parseNumberPrefix(secondaryTurns);
    if (secondary == 0.0) return "Np/Ns=--";
    const auto ratio =
        static_cast<float>((parseNumberPrefix(primaryTurns1) + parseNumberPrefix(primaryTurns2)) / secondary);
    if (!std::isfinite(ratio)) return "Np/Ns=--";
    return "Np/Ns=" + numberText(ratio);
}

std::string tapeText(float tapeTurns) {
    return numberText(tapeTurns) + "Ts Ins...Tape";
}

DiagramTexts buildDiagramTexts(ShownRecord record, float tapeTurns) {
    const PrimaryWires primary = splitPrimaryWire(field(record, RecordField::primaryWire));
    const std::array<std::string_view, 4> wires = {primary.first, field(record, RecordField::secondaryWire),
                                                   primary.second, field(record, RecordField::feedbackWire)};
    DiagramTexts texts;
    for (std::size_t n = 0; n < kWindings.size(); ++n) {
        const WindingLabels& w = kWindings[n];
        texts.windingLines[n] = windingLine(w, field(record, w.turns), wires[n], field(record, w.fill));
    }
    texts.inductance = "Inductance(Lp)" + field(record, RecordField::inductance) + "μH " +
                       " Bpk=" + field(record, RecordField::fluxDensity) + "GS";
    texts.tape = tapeText(tapeTurns);
    texts.frequency = "Frq=" + field(record, RecordField::frequency) + "kHz";
    texts.duty = "DMax=" + field(record, RecordField::duty);
    texts.reflectedVoltage = "Vor=" + field(record, RecordField::reflectedVoltage) + "V";
    texts.turnsRatio =
        turnsRatioText(field(record, RecordField::primaryTurns1), field(record, RecordField::primaryTurns2),
                       field(record, RecordField::secondaryTurns));
    return texts;
}

BandSpan bandSpan(std::string_view fillText) {
    const double gap = (1.0 - clampedFill(parseNumberPrefix(fillText))) / 2.0 * kSlotWidth;
    const auto left = static_cast<int>(static_cast<float>(kSlotLeft + gap));
    const auto right = static_cast<int>(static_cast<float>(kSlotRight - gap));
    return {left, std::max(left, right)};
}
