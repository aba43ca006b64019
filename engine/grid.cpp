#include "engine/grid.h"

#include <cmath>
#include <limits>

#include "engine/design.h"
#include "engine/wire_catalogue.h"

namespace quillmere {

std::optional<LoopRange> loopRange(float centre, float span, int step) {
    const double lo = std::trunc(static_cast<double>(centre) - span);
    const double hi = static_cast<double>(centre) + span;
    if (!std::isfinite(lo) || !std::isfinite(hi)) return std::nullopt;
    constexpr double kMin = std::numeric_limits<int>::min();
    constexpr double kMax = std::numeric_limits<int>::max();
    if (lo < kMin || lo > kMax || hi + step > kMax || hi < kMin) return std::nullopt;
    LoopRange range;
    range.first = static_cast<int>(lo);
    range.step = step;
    if (range.first > hi) return range;  // the first test already fails
    // Values first + k·step for k = 0, 1, ... while not above hi.
    auto k = static_cast<std::int64_t>(std::floor((hi - range.first) / step));
    while (static_cast<double>(range.first + (k + 1) * step) <= hi) ++k;
    while (k >= 0 && static_cast<double>(range.first + k * step) > hi) --k;
    const std::int64_t count = k + 1;
    if (count > std::numeric_limits<int>::max()) return std::nullopt;
    range.count = static_cast<int>(count);
    return range;
}

std::int64_t Grid::candidates() const {
    return points() * WireCatalogue::kSize * WireCatalogue::kSize;
}

std::optional<Grid> searchGrid(const SearchSetup& setup) {
    const RuleSet& r = setup.rules;
    const auto onDuty = loopRange(r.onDuty, r.onDutySpan, 1);
    const auto bus = loopRange(setup.inputs.minRectifiedVdc, 2, 1);
    const auto frequency = loopRange(r.frequency, r.frequencySpan, 1);
    const auto flux = loopRange(r.peakFlux, r.peakFluxSpan, 20);
    if (!onDuty || !bus || !frequency || !flux) return std::nullopt;
    Grid grid{*onDuty, *bus, *frequency, *flux};
    // Assumes 5 voltage steps and whole-number rules, as the status always has.
    grid.progressTotal =
        (2.0 * r.onDutySpan + 1) * (2.0 * r.frequencySpan + 1) * (2.0 * r.peakFluxSpan / 20 + 1) * 900 * 5;
    return grid;
}

std::optional<double> gridCandidates(const SearchSetup& setup) {
    const std::optional<Grid> grid = searchGrid(setup);
    if (!grid) return std::nullopt;
    return static_cast<double>(grid->onDuty.count) * grid->busVoltage.count * grid->frequency.count *
           grid->fluxDensity.count * WireCatalogue::kSize * WireCatalogue::kSize;
}

std::optional<double> largeGridCandidates(const SearchSetup& setup) {
    static const double defaultCandidates = gridCandidates(SearchSetup::from(Design{})).value_or(1);
    const std::optional<double> candidates = gridCandidates(setup);
    if (!candidates || *candidates <= kLargeGridFactor * defaultCandidates) return std::nullopt;
    return candidates;
}

}  // namespace quillmere
