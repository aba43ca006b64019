#pragma once

#include "engine/design.h"

/// Everything one analysis reads, copied from the design before the worker starts, so that the
/// worker never reads what the form may write.
struct SearchSetup {
    DesignInputs inputs;
    RuleSet rules;

    static SearchSetup from(const Design& design) { return {design.inputs, design.rules}; }
};
