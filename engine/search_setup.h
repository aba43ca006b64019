#pragma once

#include "app/design_state.h"

/// Everything one analysis reads, copied from the design state on the form's thread before
/// the worker starts, so that the worker never reads members the form may write.
struct SearchSetup {
    DesignInputs inputs;
    RuleSet rules;

    static SearchSetup from(const DesignState& state) { return {state.inputs, state.rules}; }
};
