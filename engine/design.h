#pragma once

#include <optional>

#include "engine/core_choice.h"
#include "engine/design_inputs.h"
#include "engine/maker_settings.h"
#include "engine/rule_set.h"

namespace quillmere {

/// Everything that decides an analysis (the form's inputs, the controller and the rules), and
/// what the winding sheet adds for the transformer maker.
struct Design {
    DesignInputs inputs;
    int controllerChoice = static_cast<int>(Controller::PsrGeneric);  ///< a Controller value
    RuleSet rules;
    MakerSettings sheet;  ///< for the winding sheet only; the search does not read it
    /// The catalogue core the design is wound on; nothing: a custom core, known only by the
    /// inputs' Ae and slot. With a core, those inputs hold the core's own numbers.
    std::optional<CoreChoice> core;
    /// The cores to search instead of the one above; nothing: search the design's own core.
    std::optional<CoreSetChoice> coreSet;

    bool operator==(const Design&) const = default;
};

}  // namespace quillmere
