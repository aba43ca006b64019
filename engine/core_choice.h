#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "engine/core_catalogue.h"

namespace quillmere {

// What the engineer picked in the core catalogue: one core for the design, or a set of cores to
// search. Names are the catalogue's own (CoreShape::name, Bobbin::name, Material::name), so a
// choice means the same on every machine that has the same catalogue.

/// One catalogue core with its bobbin and ferrite.
struct CoreChoice {
    std::string core;    ///< CoreShape::name
    std::string bobbin;  ///< Bobbin::name; empty when the core has no bobbin
    /// Index into the core's bobbins: bobbin names are not unique within a core. Trust it only
    /// while the bobbin there still has the name above.
    std::optional<std::size_t> bobbinIndex;
    std::string material;  ///< Material::name

    bool operator==(const CoreChoice&) const = default;
};

/// The cores one search covers: the named cores, or when none are named, every core of a family
/// (or of the whole catalogue) within the Ae bounds. Each core is searched with its default
/// bobbin.
struct CoreSetChoice {
    std::vector<std::string> cores;  ///< CoreShape::name, in catalogue order; empty: use the filter
    std::string family;              ///< empty: every family
    std::optional<double> minAe;     ///< mm², inclusive; none: unbounded
    std::optional<double> maxAe;     ///< mm², inclusive; none: unbounded
    bool plausibleOnly = true;       ///< leave out shapes whose dimensions contradict themselves
    std::string material;            ///< Material::name

    bool operator==(const CoreSetChoice&) const = default;

    /// The family and bounds as the catalogue's filter (meaningful when `cores` is empty).
    CoreFilter filter() const {
        CoreFilter result;
        result.family = family;
        result.minAe = minAe;
        result.maxAe = maxAe;
        result.plausibleOnly = plausibleOnly;
        return result;
    }
};

}  // namespace quillmere
