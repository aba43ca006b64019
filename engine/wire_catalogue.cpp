#include "engine/wire_catalogue.h"

#include <algorithm>

namespace quillmere {

namespace {

constexpr std::array<std::string_view, WireCatalogue::kSize> kTexts = {
    "0.10", "0.11", "0.12", "0.13", "0.14", "0.15", "0.16", "0.17", "0.18", "0.19",
    "0.20", "0.21", "0.23", "0.25", "0.27", "0.29", "0.30", "0.33", "0.35", "0.38",
    "0.40", "0.45", "0.47", "0.49", "0.51", "0.53", "0.55", "0.57", "0.59", "0.62"};

// The same decimals as kTexts, read as floats.
constexpr std::array<float, WireCatalogue::kSize> kValues = {
    0.10f, 0.11f, 0.12f, 0.13f, 0.14f, 0.15f, 0.16f, 0.17f, 0.18f, 0.19f, 0.20f, 0.21f, 0.23f, 0.25f, 0.27f,
    0.29f, 0.30f, 0.33f, 0.35f, 0.38f, 0.40f, 0.45f, 0.47f, 0.49f, 0.51f, 0.53f, 0.55f, 0.57f, 0.59f, 0.62f};

}  // namespace

std::string_view WireCatalogue::text(int index) {
    return kTexts.at(static_cast<std::size_t>(index));
}

float WireCatalogue::value(int index) {
    return kValues.at(static_cast<std::size_t>(index));
}

std::optional<int> WireCatalogue::indexOf(float diameter) {
    const auto* it = std::find(kValues.begin(), kValues.end(), diameter);
    if (it == kValues.end()) return std::nullopt;
    return static_cast<int>(it - kValues.begin());
}

bool isEmpty(const WireSet& set) {
    return std::all_of(set.begin(), set.end(), [](float d) { return d == 0.0f; });
}

}  // namespace quillmere
