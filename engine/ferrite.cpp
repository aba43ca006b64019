#include "engine/ferrite.h"

namespace quillmere {

double figureAt(double at25, double at100, double temperature) {
    if (temperature <= 25) return at25;
    if (temperature >= 100) return at100;
    return at25 + (at100 - at25) * (temperature - 25) / 75;
}

}  // namespace quillmere
