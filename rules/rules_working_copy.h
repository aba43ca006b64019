#pragma once

#include <array>
#include <string_view>

#include "engine/design_fields.h"
#include "engine/rule_set.h"

/// The numbers the rules dialog edits while it is open, one for every number rule of
/// kDesignFields (Float, Count and WholeFloat kinds, and a Choice as its index), as typed; they reach the
/// design state only when the engineer saves. A count is held as typed (a float) and the primary strands as a
/// whole number.
class RulesWorkingCopy {
public:
    static RulesWorkingCopy from(const quillmere::RuleSet& rules);
    /// Writes the numbers into `rules`, leaving the options, the mode and the wire sets alone.
    void writeTo(quillmere::RuleSet& rules) const;

    /// Whether the dialog edits `field` as a number.
    static bool holds(const quillmere::DesignField& field);

    double get(const quillmere::DesignField& field) const { return values_[index(field)]; }
    void set(const quillmere::DesignField& field, double value) { values_[index(field)] = value; }

private:
    static std::size_t index(const quillmere::DesignField& field) {
        return static_cast<std::size_t>(&field - quillmere::kDesignFields.data());
    }
    std::array<double, quillmere::kDesignFields.size()> values_{};
};

/// `value` truncated toward zero; values beyond the range of int give its nearest end, NaN 0.
int truncateToInt(float value);
