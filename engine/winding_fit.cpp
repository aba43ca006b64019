#include "engine/winding_fit.h"

#include <cmath>

namespace quillmere {

float outerDiameter(float bare) {
    const double d = bare;
    double outer = d;
    if (d < 0.19) outer = d + 0.02;
    if (0.19 < d && d < 0.26) outer = d + 0.025;
    if (0.25 < d && d < 0.41) outer = d + 0.04;
    if (d > 0.41) outer = d + 0.05;
    return static_cast<float>(outer);
}

std::optional<Layers> layersOf(double turns, double perLayer) {
    if (!(perLayer > 0) || !std::isfinite(perLayer)) return std::nullopt;
    Layers layers;
    layers.value = static_cast<float>(turns / perLayer);
    if (!std::isfinite(layers.value)) return std::nullopt;
    const double whole = std::trunc(static_cast<double>(layers.value));
    layers.fraction = static_cast<float>(layers.value - whole);
    layers.count = static_cast<float>(layers.fraction > 0 ? whole + 1 : whole);
    return layers;
}

}  // namespace quillmere
