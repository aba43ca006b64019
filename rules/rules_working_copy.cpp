#include "rules/rules_working_copy.h"

#include <cmath>
#include <limits>

using namespace quillmere;

int truncateToInt(float value) {
    // 2^31 is exact in float; everything strictly inside the range converts without overflow.
    constexpr float kLimit = 2147483648.0f;
    if (std::isnan(value)) return 0;
    if (value >= kLimit) return std::numeric_limits<int>::max();
    if (value <= -kLimit) return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

bool RulesWorkingCopy::holds(const DesignField& field) {
    return !field.isInput() && (field.kind == FieldKind::Float || field.kind == FieldKind::Count ||
                                field.kind == FieldKind::WholeFloat || field.kind == FieldKind::Choice);
}

RulesWorkingCopy RulesWorkingCopy::from(const RuleSet& rules) {
    RulesWorkingCopy w;
    for (const DesignField& field : kDesignFields) {
        if (!holds(field)) continue;
        if (field.kind == FieldKind::Count || field.kind == FieldKind::Choice)
            w.set(field, rules.*std::get<int RuleSet::*>(field.member));
        else if (field.kind == FieldKind::WholeFloat)
            w.set(field, truncateToInt(rules.*std::get<float RuleSet::*>(field.member)));
        else
            w.set(field, rules.*std::get<float RuleSet::*>(field.member));
    }
    return w;
}

void RulesWorkingCopy::writeTo(RuleSet& rules) const {
    for (const DesignField& field : kDesignFields) {
        if (!holds(field)) continue;
        const double value = get(field);
        if (field.kind == FieldKind::Choice)
            rules.*std::get<int RuleSet::*>(field.member) = static_cast<int>(value);
        else if (field.kind == FieldKind::Count)
            rules.*std::get<int RuleSet::*>(field.member) = truncateToInt(static_cast<float>(value));
        else if (field.kind == FieldKind::WholeFloat)
            rules.*std::get<float RuleSet::*>(field.member) = static_cast<float>(static_cast<int>(value));
        else
            rules.*std::get<float RuleSet::*>(field.member) = static_cast<float>(value);
    }
}
