#pragma once

#include <optional>

#include "engine/core_context.h"
#include "engine/design.h"

namespace quillmere {

/// Everything one analysis reads, copied from the design before the worker starts, so that the
/// worker never reads what the form may write.
struct SearchSetup {
    DesignInputs inputs;  ///< with a catalogue core: its Ae and its bobbin's slot
    RuleSet rules;
    std::optional<CoreContext> core;  ///< nothing: a custom core, known only by Ae and slot

    static SearchSetup from(const Design& design) { return {design.inputs, design.rules, std::nullopt}; }
};

}  // namespace quillmere
