#pragma once

#include "engine/design_inputs.h"
#include "engine/maker_settings.h"
#include "engine/rule_set.h"

/// Everything that decides an analysis (the form's inputs, the controller and the rules), and
/// what the winding sheet adds for the transformer maker.
struct Design {
    DesignInputs inputs;
    int controllerChoice = static_cast<int>(Controller::PsrGeneric);  ///< a Controller value
    RuleSet rules;
    MakerSettings sheet;  ///< for the winding sheet only; the search does not read it

    bool operator==(const Design&) const = default;
};
