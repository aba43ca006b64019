#pragma once

#include <array>
#include <cmath>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "engine/design.h"

namespace quillmere {

/// How a design field is held and typed.
enum class FieldKind {
    Float,       ///< a finite single-precision number
    WholeFloat,  ///< a float holding a whole number, typed as an integer (the primary strands)
    Count,       ///< an int typed as a number and truncated toward zero (the rules dialog's way)
    Flag,        ///< an int holding 0 or 1
    Bool,        ///< false or true, typed 0 or 1
    Wires,       ///< a set of catalogue wire sizes
    Choice,      ///< an int holding the index of one of the field's `choices`, typed and saved as its word
};

using FieldMember = std::variant<float DesignInputs::*, float RuleSet::*, int RuleSet::*, bool RuleSet::*,
                                 WireSet RuleSet::*>;

/// One field of a design, described once: the design file, the command line, the rules dialog's
/// working copy and the winding sheet read it from here.
struct DesignField {
    std::string_view name;         ///< member of "inputs" or "rules" in a design file
    std::string_view option;       ///< quillmere-cli --OPTION
    std::string_view description;  ///< the heading of the option in --help, with its unit
    FieldKind kind;
    FieldMember member;
    /// The valid range of a number, both ends included; a value outside it is refused at every
    /// entrance (form, rules dialog, design file, command line).
    double low = -HUGE_VAL;
    double high = HUGE_VAL;
    /// The label of an input on the winding sheet's design conditions (UTF-8).
    std::string_view sheetLabel = {};
    /// Choice fields: the words, by value.
    std::span<const std::string_view> choices = {};
    /// Written to a design file only when it differs from the default (rules added after files
    /// existed, so that a design that leaves them alone is saved as before).
    bool savedWhenChanged = false;

    bool isInput() const { return std::holds_alternative<float DesignInputs::*>(member); }
};

/// 2^31: the largest count the rules dialog stores (as a float) for the strands.
inline constexpr double kCountLimit = 2147483648.0;

/// Every input and rule of a design, in design-file order: 11 inputs, then 31 rules.
extern const std::array<DesignField, 42> kDesignFields;

/// The rank-by rule's words, by RankBy value.
inline constexpr std::array<std::string_view, 4> kRankByWords{"fill", "loss", "temperature", "volume"};

/// The index of `word` among `field.choices`, or nothing.
std::optional<int> choiceIndex(const DesignField& field, std::string_view word);

/// Whether the field of `design` holds its default value (the default RuleSet's).
bool atDefault(const Design& design, const DesignField& field);

/// The field of design-file member `name` in "inputs" (input) or "rules".
const DesignField* designField(std::string_view name, bool input);

/// Whether `value` lies in the field's range; a typed count beyond it is held to its nearest end.
bool inRange(const DesignField& field, double value);

/// Sets the field of `design` from a typed text as an entry of the form or the rules dialog reads
/// it (wire sets: a comma-separated list of catalogue diameters); false, leaving the design as
/// it was, when the text is no acceptable value.
bool setFieldFromText(Design& design, const DesignField& field, std::string_view text);

/// The value of a number field (Float, WholeFloat, Count, Flag, Bool) as a double.
double fieldNumber(const Design& design, const DesignField& field);

}  // namespace quillmere
