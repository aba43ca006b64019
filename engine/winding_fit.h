#pragma once

#include <optional>

namespace quillmere {

/// Enamelled (outer) diameter of a bare wire, mm.
float outerDiameter(float bare);

/// A winding's layers: the count as stored, the whole layers and the last layer's fill.
struct Layers {
    float value = 0;     ///< layers as computed, single precision
    float count = 0;     ///< integer part, plus one when a partial layer remains
    float fraction = 0;  ///< value minus its integer part
};

/// Layers of `turns` on a width holding `perLayer` turn widths. A width that holds no turn
/// (zero, negative or infinite `perLayer`) has no layers: nullopt.
std::optional<Layers> layersOf(double turns, double perLayer);

/// A sandwich's first-half, secondary or second-half fraction after the acceptance window:
/// below 0.05 counts as (nearly) full and reads 1 − f.
inline float foldFullLayer(float fraction) {
    return fraction < 0.05 ? static_cast<float>(1 - static_cast<double>(fraction)) : fraction;
}

}  // namespace quillmere
