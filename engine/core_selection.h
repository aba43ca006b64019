#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/core_catalogue.h"
#include "engine/core_choice.h"
#include "engine/core_context.h"
#include "engine/design.h"
#include "engine/design_inputs.h"

namespace quillmere {

// From the names a design keeps (CoreChoice, CoreSetChoice) to the copies a search reads
// (CoreContext), and from a catalogue core to the search's own numbers.

/// A core the design names, resolved; or why it cannot be.
struct CoreResolution {
    std::optional<CoreContext> context;
    /// Which name failed ("core", "bobbin", "material") and the name as given.
    std::string what;
    std::string name;
    /// Up to three catalogue names nearest to the one that failed.
    std::vector<std::string> nearest;

    explicit operator bool() const { return context.has_value(); }
};

/// `choice` in `catalogue`: the core by name; the bobbin at bobbinIndex while it still has the
/// chosen name, else by name or reference, else (no bobbin named) the core's default bobbin; the
/// material by name, else (none named) the catalogue's default material.
CoreResolution resolveCore(const CoreChoice& choice, const CoreCatalogue& catalogue);

/// The cores of `set` in catalogue order, each with its default bobbin and the set's material
/// (default material when none is named). Cores without a bobbin cannot be searched and are left
/// out. A named core or material the catalogue lacks gives the failed resolution instead.
struct CoreSetResolution {
    std::vector<CoreContext> cores;
    CoreResolution failure;  ///< `what` empty when everything resolved
    explicit operator bool() const { return failure.what.empty(); }
};
CoreSetResolution resolveCoreSet(const CoreSetChoice& set, const CoreCatalogue& catalogue);

/// `inputs` with Ae and the slot of `core` (the one place the catalogue's doubles become the
/// search's floats). Everything else of the inputs stays.
DesignInputs withCore(DesignInputs inputs, const CoreContext& core);

/// The choice that names `core` as resolved (bobbin by name and index).
CoreChoice choiceOf(const CoreContext& core);

/// The cores an analysis of `design` searches (runCoreSearch): its core set, else its core,
/// else none (custom).
CoreSetResolution searchedCores(const Design& design, const CoreCatalogue& catalogue);

}  // namespace quillmere
