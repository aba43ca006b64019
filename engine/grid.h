#pragma once

#include <cstdint>
#include <optional>

#include "engine/search_setup.h"

namespace quillmere {

/// One swept loop of the grid: from the centre minus the span, truncated toward zero, up
/// while the value does not exceed the centre plus the span.
struct LoopRange {
    int first = 0;
    int step = 1;
    int count = 0;  ///< values the loop takes; 0 when the start already exceeds the end
    int at(int k) const { return first + k * step; }
};

/// The loop of `centre` ± `span`; nullopt when its values or its last step would not fit a
/// 32-bit loop variable (or a value is not finite).
std::optional<LoopRange> loopRange(float centre, float span, int step);

/// The four swept loops of a search, outermost first: on-duty %, bus voltage V, frequency
/// kHz, flux density gauss.
struct Grid {
    LoopRange onDuty, busVoltage, frequency, fluxDensity;

    std::int64_t points() const {
        return static_cast<std::int64_t>(onDuty.count) * busVoltage.count * frequency.count *
               fluxDensity.count;
    }
    /// Candidates per pass: every grid point tries every pair of wire slots.
    std::int64_t candidates() const;
    /// The count the percentage is taken of, from the rule spans as the form reports it.
    double progressTotal = 0;
};

/// The grid of a setup; nullopt when a rule does not fit the loops.
std::optional<Grid> searchGrid(const SearchSetup& setup);

/// Candidates per pass of `setup`'s grid, counted in double so that no grid overflows it;
/// nullopt when a rule does not fit the loops.
std::optional<double> gridCandidates(const SearchSetup& setup);

/// How many times the default design's candidates a grid may hold before the window asks
/// whether to go on and the command line says how many there are.
inline constexpr double kLargeGridFactor = 1e4;

/// The candidates per pass of `setup`'s grid when they are more than kLargeGridFactor times the
/// default design's; nothing otherwise.
std::optional<double> largeGridCandidates(const SearchSetup& setup);

}  // namespace quillmere
