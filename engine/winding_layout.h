#pragma once

#include <array>
#include <optional>
#include <string>

#include "engine/design.h"
#include "engine/winding_fit.h"

namespace quillmere {

/// One winding of a shown solution as the maker winds it, its layers counted again by the fit.
struct WindingLayout {
    std::string name;   ///< "Np", "Np_1", "Ns", "Np_2" or "Nf"
    std::string turns;  ///< the record's text
    std::string wire;   ///< "d*n" of this winding (one half of a sandwiched primary)
    /// Layers as the fit counts them; nothing when the slot leaves this winding no width.
    std::optional<Layers> layers;
    /// The last layer's fill as the record stores it: a sandwich's first half, secondary and
    /// second half count a remainder under 0.05 as a nearly full layer (1 − remainder).
    float fill = 0;
    std::string recordFill;      ///< the record's fill text of this winding
    bool matchesRecord = false;  ///< `fill` gives `recordFill`: the design is the one analysed
    /// Layers to wind. A sandwich winding whose last layer overflows by under 5 % of a layer has
    /// that overflow squeezed into the layer below, as the search's acceptance window assumes.
    int layerCount = 0;
    bool overflowCounted = false;  ///< the last layer is such an overflow, counted as full
};

struct Solution;

/// The four windings of `solution` from the bobbin outwards, as the diagram draws
/// them: Np, Ns, (none), Nf for a plain winding; Np_1, Ns, Np_2, Nf for a sandwich. The slot,
/// strands, auxiliary wire and winding option come from `design`, the chosen wires from the solution.
std::array<std::optional<WindingLayout>, 4> windingLayouts(const Solution& solution, const Design& design);

}  // namespace quillmere
