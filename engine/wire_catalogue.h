#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace quillmere {

/// The enamelled-wire sizes a winding may use: 30 bare diameters in mm, ascending.
/// An index into this table is a wire's identity in both candidate sets.
class WireCatalogue {
public:
    static constexpr int kSize = 30;

    /// Display text of entry `index`, two decimals ("0.10" ... "0.62").
    static std::string_view text(int index);
    /// Diameter of entry `index` in mm, the text read as a float.
    static float value(int index);
    /// Index of the entry whose value equals `diameter` (in single precision), if any.
    static std::optional<int> indexOf(float diameter);
};

/// A candidate set: slot i holds WireCatalogue::value(i) when that size is allowed, else 0.
using WireSet = std::array<float, WireCatalogue::kSize>;

/// True when no slot of the set holds a diameter.
bool isEmpty(const WireSet& set);

}  // namespace quillmere
