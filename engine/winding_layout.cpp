#include "engine/winding_layout.h"

#include <algorithm>

#include "engine/number_text.h"

namespace {

// "d*n": the diameter in single precision, as the search held it.
float wireDiameter(std::string_view wire) {
    return static_cast<float>(parseNumberPrefix(wire));
}

std::string_view firstHalfWire(std::string_view primaryWire) {
    return primaryWire.substr(0, primaryWire.find('/'));
}

std::string_view secondHalfWire(std::string_view primaryWire) {
    const auto slash = primaryWire.find('/');
    return slash == std::string_view::npos ? primaryWire : primaryWire.substr(slash + 1);
}

WindingLayout layout(std::string_view name, ShownRecord record, RecordField turns, std::string_view wire,
                     RecordField fill, std::optional<Layers> layers, bool folded) {
    WindingLayout w;
    w.name = name;
    w.turns = field(record, turns);
    w.wire = wire;
    w.layers = layers;
    w.recordFill = field(record, fill);
    if (layers) {
        w.fill = folded ? foldFullLayer(layers->fraction) : layers->fraction;
        w.matchesRecord = numberText(w.fill) == w.recordFill;
        w.overflowCounted = folded && layers->fraction > 0 && layers->fraction < 0.05;
        // Held to a range an int takes: a design far from the analysed one may count absurd layers.
        const auto count = static_cast<int>(std::clamp(layers->count, -1e9f, 1e9f));
        w.layerCount = w.overflowCounted ? std::max(count - 1, 1) : count;
    }
    return w;
}

}  // namespace

// The same expressions, in the same precisions, as the search's fit: the recomputed fills
// then equal the stored ones digit for digit.
std::array<std::optional<WindingLayout>, 4> windingLayouts(ShownRecord record, const Design& design) {
    const RuleSet& rules = design.rules;
    const auto usableWidth = static_cast<float>(static_cast<double>(design.inputs.slotWidth) *
                                                (1 - rules.slotWidthReserve * 0.01));
    const double w = usableWidth;

    const std::string& primaryWire = field(record, RecordField::primaryWire);
    const std::string& secondaryWire = field(record, RecordField::secondaryWire);
    const double primaryTurnWidth =
        static_cast<double>(outerDiameter(wireDiameter(firstHalfWire(primaryWire)))) * rules.primaryStrands;
    const double secondaryTurnWidth =
        static_cast<double>(outerDiameter(wireDiameter(secondaryWire))) * rules.secondaryStrands;
    const double fw = design.inputs.auxWireDiameter;

    const double np1 = parseNumberPrefix(field(record, RecordField::primaryTurns1));
    const double ns = parseNumberPrefix(field(record, RecordField::secondaryTurns));
    const double nf = parseNumberPrefix(field(record, RecordField::feedbackTurns));

    std::array<std::optional<WindingLayout>, 4> windings;
    windings[3] = layout("Nf", record, RecordField::feedbackTurns, field(record, RecordField::feedbackWire),
                         RecordField::fill4,
                         layersOf(nf - 1, (w - primaryTurnWidth - secondaryTurnWidth - fw) / fw), false);
    if (rules.sandwichWinding == 0) {
        windings[0] = layout("Np", record, RecordField::primaryTurns1, primaryWire, RecordField::fill1,
                             layersOf(np1 - 1, (w - primaryTurnWidth) / primaryTurnWidth), false);
        windings[1] =
            layout("Ns", record, RecordField::secondaryTurns, secondaryWire, RecordField::fill2,
                   layersOf(ns - 1, (w - primaryTurnWidth - secondaryTurnWidth) / secondaryTurnWidth), false);
        return windings;
    }

    const std::string_view secondHalf = secondHalfWire(primaryWire);
    const float np2 = static_cast<float>(parseNumberPrefix(field(record, RecordField::primaryTurns2)));
    const double secondHalfTurnWidth =
        static_cast<double>(outerDiameter(wireDiameter(secondHalf))) * rules.primaryStrands;
    windings[0] = layout("Np_1", record, RecordField::primaryTurns1, firstHalfWire(primaryWire),
                         RecordField::fill1, layersOf(np1, usableWidth / primaryTurnWidth), true);
    windings[1] = layout("Ns", record, RecordField::secondaryTurns, secondaryWire, RecordField::fill2,
                         layersOf(ns, (w - primaryTurnWidth) / secondaryTurnWidth), true);
    windings[2] =
        layout("Np_2", record, RecordField::primaryTurns2, secondHalf, RecordField::fill3,
               layersOf(np2, (w - primaryTurnWidth - secondaryTurnWidth) / secondHalfTurnWidth), true);
    return windings;
}
