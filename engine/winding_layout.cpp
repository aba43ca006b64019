#include "engine/winding_layout.h"

#include <algorithm>

#include "engine/analysis_result.h"
#include "engine/number_text.h"

namespace quillmere {

namespace {

// A diameter in single precision, as the search held it, read as it is shown.
float wireDiameter(float diameter) {
    return static_cast<float>(shownValue(diameter));
}

WindingLayout layout(std::string_view name, const Solution& solution, RecordField turns, std::string wire,
                     RecordField fill, std::optional<Layers> layers, bool folded) {
    WindingLayout w;
    w.name = name;
    w.turns = solutionText(solution, turns);
    w.wire = std::move(wire);
    w.layers = layers;
    w.recordFill = solutionText(solution, fill);
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
std::array<std::optional<WindingLayout>, 4> windingLayouts(const Solution& solution, const Design& design) {
    const CandidateRecord& r = solution.numbers;
    const RuleSet& rules = design.rules;
    const auto usableWidth = static_cast<float>(static_cast<double>(design.inputs.slotWidth) *
                                                (1 - rules.slotWidthReserve * 0.01));
    const double w = usableWidth;

    const std::string primaryWire = wireText(r.primaryWire, r.primaryStrands);
    const std::string secondaryWire = solutionText(solution, RecordField::secondaryWire);
    const double primaryTurnWidth =
        static_cast<double>(outerDiameter(wireDiameter(r.primaryWire))) * rules.primaryStrands;
    const double secondaryTurnWidth =
        static_cast<double>(outerDiameter(wireDiameter(r.secondaryWire))) * rules.secondaryStrands;
    const double fw = design.inputs.auxWireDiameter;

    const double np1 = shownValue(r.primaryTurns);
    const double ns = shownValue(r.secondaryTurns);
    const double nf = shownValue(r.feedbackTurns);

    std::array<std::optional<WindingLayout>, 4> windings;
    windings[3] = layout("Nf", solution, RecordField::feedbackTurns,
                         solutionText(solution, RecordField::feedbackWire), RecordField::fill4,
                         layersOf(nf - 1, (w - primaryTurnWidth - secondaryTurnWidth - fw) / fw), false);
    if (rules.sandwichWinding == 0) {
        windings[0] = layout("Np", solution, RecordField::primaryTurns1,
                             solutionText(solution, RecordField::primaryWire), RecordField::fill1,
                             layersOf(np1 - 1, (w - primaryTurnWidth) / primaryTurnWidth), false);
        windings[1] =
            layout("Ns", solution, RecordField::secondaryTurns, secondaryWire, RecordField::fill2,
                   layersOf(ns - 1, (w - primaryTurnWidth - secondaryTurnWidth) / secondaryTurnWidth), false);
        return windings;
    }

    // A plain record analysed as a sandwich has no second half of its own: both halves are one wire.
    const float secondHalf = r.sandwich ? r.secondHalfWire : r.primaryWire;
    const auto np2 = static_cast<float>(shownValue(r.secondHalfTurns));
    const double secondHalfTurnWidth =
        static_cast<double>(outerDiameter(wireDiameter(secondHalf))) * rules.primaryStrands;
    windings[0] = layout("Np_1", solution, RecordField::primaryTurns1, primaryWire, RecordField::fill1,
                         layersOf(np1, usableWidth / primaryTurnWidth), true);
    windings[1] = layout("Ns", solution, RecordField::secondaryTurns, secondaryWire, RecordField::fill2,
                         layersOf(ns, (w - primaryTurnWidth) / secondaryTurnWidth), true);
    windings[2] =
        layout("Np_2", solution, RecordField::primaryTurns2, wireText(secondHalf, r.primaryStrands),
               RecordField::fill3,
               layersOf(np2, (w - primaryTurnWidth - secondaryTurnWidth) / secondHalfTurnWidth), true);
    return windings;
}

}  // namespace quillmere
