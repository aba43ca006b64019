#pragma once

#include <cstdint>
#include <optional>

#include "engine/search_setup.h"

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
