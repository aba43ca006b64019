#pragma once

#include <cstddef>

#include "engine/core_catalogue.h"

namespace quillmere {

/// A catalogue core resolved for one search: the shape, the bobbin wound on and the ferrite.
/// Held as copies, so that a running search never reads a catalogue the program may replace.
/// Units as in the catalogue: mm, mm², mm³, T, Hz.
struct CoreContext {
    CoreShape core;
    Bobbin bobbin;
    std::size_t bobbinIndex = 0;  ///< of `bobbin` in core.bobbins (names repeat within a core)
    Material material;
};

}  // namespace quillmere
