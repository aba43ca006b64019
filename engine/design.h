#pragma once

#include "engine/design_inputs.h"
#include "engine/rule_set.h"

/// Everything that decides an analysis: the form's inputs, the controller and the rules.
struct Design {
    DesignInputs inputs;
    int controllerChoice = static_cast<int>(Controller::PsrGeneric);  ///< a Controller value
    RuleSet rules;

    bool operator==(const Design&) const = default;
};
