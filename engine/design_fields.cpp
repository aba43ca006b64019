#include "engine/design_fields.h"

#include <algorithm>
#include <limits>
#include <sstream>
#include <type_traits>

#include "engine/entry_number.h"
#include "engine/number_text.h"

namespace quillmere {

namespace {

using K = FieldKind;
using I = DesignInputs;
using R = RuleSet;

}  // namespace

const std::array<DesignField, 42> kDesignFields{{
    {"minInputVac", "min-input-vac", "minimum input voltage, V AC", K::Float, &I::minInputVac, -HUGE_VAL,
     HUGE_VAL, "最低输入电压(Vac)"},
    {"maxInputVac", "max-input-vac", "maximum input voltage, V AC", K::Float, &I::maxInputVac, -HUGE_VAL,
     HUGE_VAL, "最高输入电压(Vac)"},
    {"outputVoltage", "output-voltage", "output voltage, V", K::Float, &I::outputVoltage, -HUGE_VAL, HUGE_VAL,
     "输出电压(V)"},
    {"outputCurrent", "output-current", "output current, A", K::Float, &I::outputCurrent, -HUGE_VAL, HUGE_VAL,
     "输出电流(A)"},
    {"feedbackVoltage", "feedback-voltage", "feedback winding voltage, V", K::Float, &I::feedbackVoltage,
     -HUGE_VAL, HUGE_VAL, "反馈绕组电压(Vf)"},
    {"minRectifiedVdc", "min-rectified-vdc", "minimum rectified voltage, V DC", K::Float, &I::minRectifiedVdc,
     -HUGE_VAL, HUGE_VAL, "最低整流电压(Vdc)"},
    {"efficiency", "efficiency", "transformer transfer efficiency, %", K::Float, &I::efficiency, -HUGE_VAL,
     HUGE_VAL, "变压器传递效率(%)"},
    {"coreAe", "core-ae", "core effective area, mm²", K::Float, &I::coreAe, -HUGE_VAL, HUGE_VAL,
     "磁芯AE(mm²)"},
    {"slotWidth", "slot-width", "bobbin slot width, mm", K::Float, &I::slotWidth, -HUGE_VAL, HUGE_VAL,
     "骨架槽宽(mm)"},
    {"slotDepth", "slot-depth", "bobbin slot depth, mm", K::Float, &I::slotDepth, -HUGE_VAL, HUGE_VAL,
     "骨架槽深(mm)"},
    {"auxWireDiameter", "aux-wire-diameter", "auxiliary winding wire diameter, mm", K::Float,
     &I::auxWireDiameter, -HUGE_VAL, HUGE_VAL, "辅助绕组线径(mm)"},

    {"peakFlux", "peak-flux", "peak flux density centre, gauss", K::Float, &R::peakFlux},
    {"peakFluxSpan", "peak-flux-span", "± span of the peak flux density, gauss", K::Float, &R::peakFluxSpan},
    {"onDuty", "on-duty", "on-duty centre, %", K::Float, &R::onDuty},
    {"onDutySpan", "on-duty-span", "± span of the on-duty, %", K::Float, &R::onDutySpan},
    {"frequency", "frequency", "switching frequency centre, kHz", K::Float, &R::frequency},
    {"frequencySpan", "frequency-span", "± span of the frequency, kHz", K::Float, &R::frequencySpan},
    {"switchDrop", "switch-drop", "switch on-state drop, V", K::Float, &R::switchDrop},
    {"diodeDrop", "diode-drop", "output diode forward drop, V", K::Float, &R::diodeDrop},
    {"tempRise", "temp-rise", "coil temperature rise, degrees", K::Float, &R::tempRise},
    {"windDepthLimit", "wind-depth-limit", "winding depth limit, % of the slot depth", K::Float,
     &R::windDepthLimit},
    // A share of the primary turns: outside 0 to 100 % it means nothing.
    {"firstWindingMinShare", "first-winding-min-share", "first winding minimum share, %", K::Float,
     &R::firstWindingMinShare, 0, 100},
    {"slotWidthReserve", "slot-width-reserve", "slot width reserve, %", K::Float, &R::slotWidthReserve},
    {"tapeThickness", "tape-thickness", "tape thickness, mm", K::Float, &R::tapeThickness},
    {"tapeTurns", "tape-turns", "tape turns between windings", K::Float, &R::tapeTurns},
    {"outputDuty", "output-duty", "output duty, % (CC mode)", K::Float, &R::outputDuty},
    {"idleRatio", "idle-ratio", "idle ratio, % (CV mode)", K::Float, &R::idleRatio},
    {"maxSolutions", "max-solutions", "most solutions listed", K::Count, &R::maxSolutions, -kCountLimit,
     kCountLimit - 1},
    {"ccMode", "cc-mode", "1 CC (PFM), 0 CV (PWM)", K::Bool, &R::ccMode},
    {"sandwichWinding", "sandwich-winding", "1 sandwich winding", K::Flag, &R::sandwichWinding, 0, 1},
    {"skinEffect", "skin-effect", "1 consider the skin effect", K::Flag, &R::skinEffect, 0, 1},
    {"evenTurns", "even-turns", "1 even turn counts only", K::Bool, &R::evenTurns},
    {"sandwichWireChange", "sandwich-wire-change", "1 allow a wire change inside the sandwich", K::Bool,
     &R::sandwichWireChange},
    {"primaryWires", "primary-wires", "primary candidate wires, e.g. 0.20,0.21,0.23", K::Wires,
     &R::primaryWires},
    {"secondaryWires", "secondary-wires", "secondary candidate wires, e.g. 0.30", K::Wires,
     &R::secondaryWires},
    {"primaryStrands", "primary-strands", "parallel primary strands, a whole number", K::WholeFloat,
     &R::primaryStrands, -kCountLimit, kCountLimit},
    {"secondaryStrands", "secondary-strands", "parallel secondary strands", K::Float, &R::secondaryStrands},
    // The loss figures of a catalogue core (docs/losses.md); a custom core has none.
    {"operatingTemperature",
     "operating-temperature",
     "operating temperature of the loss figures, °C",
     K::Float,
     &R::operatingTemperature,
     -273.15,
     1000,
     {},
     {},
     true},
    {"rankBy",
     "rank-by",
     "rank by fill, loss, temperature or volume",
     K::Choice,
     &R::rankBy,
     0,
     3,
     {},
     kRankByWords,
     true},
    {"maxTemperatureRise",
     "max-temperature-rise",
     "reject a temperature rise above, K; 0 no limit",
     K::Float,
     &R::maxTemperatureRise,
     0,
     HUGE_VAL,
     {},
     {},
     true},
    {"maxFluxOfSaturation",
     "max-flux-of-saturation",
     "reject a Bpk/Bsat above, %; 0 no limit",
     K::Float,
     &R::maxFluxOfSaturation,
     0,
     HUGE_VAL,
     {},
     {},
     true},
    {"maxTotalLoss",
     "max-total-loss",
     "reject a total loss above, W; 0 no limit",
     K::Float,
     &R::maxTotalLoss,
     0,
     HUGE_VAL,
     {},
     {},
     true},
}};

std::optional<int> choiceIndex(const DesignField& field, std::string_view word) {
    const auto it = std::ranges::find(field.choices, word);
    if (it == field.choices.end()) return std::nullopt;
    return static_cast<int>(it - field.choices.begin());
}

bool atDefault(const Design& design, const DesignField& field) {
    static const Design defaults;
    return std::visit(
        [&](auto member) {
            using Member = decltype(member);
            if constexpr (std::is_same_v<Member, float DesignInputs::*>)
                return design.inputs.*member == defaults.inputs.*member;
            else
                return design.rules.*member == defaults.rules.*member;
        },
        field.member);
}

const DesignField* designField(std::string_view name, bool input) {
    const auto it = std::ranges::find_if(
        kDesignFields, [&](const DesignField& f) { return f.name == name && f.isInput() == input; });
    return it == kDesignFields.end() ? nullptr : &*it;
}

bool inRange(const DesignField& field, double value) {
    // A count typed beyond the range of int is held to its nearest end, as the rules dialog has
    // always stored it: what is stored lies in the range either way.
    if (field.kind == FieldKind::Count) return !std::isnan(value);
    return field.low <= value && value <= field.high;
}

namespace {

// `value` truncated toward zero, held to the range of int (the rules dialog's conversion).
int truncatedCount(float value) {
    constexpr float kLimit = 2147483648.0f;
    if (value >= kLimit) return std::numeric_limits<int>::max();
    if (value <= -kLimit) return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

std::optional<WireSet> wireSetFromText(std::string_view text) {
    WireSet set{};
    std::stringstream list{std::string(text)};
    std::string item;
    bool any = false;
    while (std::getline(list, item, ',')) {
        const auto diameter = parseEntryFloat(item);
        if (!diameter) return std::nullopt;
        const auto index = WireCatalogue::indexOf(*diameter);
        if (!index) return std::nullopt;
        set[static_cast<std::size_t>(*index)] = WireCatalogue::value(*index);
        any = true;
    }
    if (!any) return std::nullopt;  // an empty set would reject every candidate
    return set;
}

}  // namespace

bool setFieldFromText(Design& design, const DesignField& field, std::string_view text) {
    const auto flag = [&]() -> std::optional<int> {
        if (text != "0" && text != "1") return std::nullopt;
        return text == "1" ? 1 : 0;
    };
    switch (field.kind) {
        case FieldKind::Float: {
            const auto value = parseEntryFloat(text);
            if (!value || !inRange(field, *value)) return false;
            if (field.isInput())
                design.inputs.*std::get<float DesignInputs::*>(field.member) = *value;
            else
                design.rules.*std::get<float RuleSet::*>(field.member) = *value;
            return true;
        }
        case FieldKind::WholeFloat: {
            const auto value = parseEntryInt(text);
            if (!value || !inRange(field, *value)) return false;
            design.rules.*std::get<float RuleSet::*>(field.member) = static_cast<float>(*value);
            return true;
        }
        case FieldKind::Count: {
            const auto value = parseEntryFloat(text);
            if (!value || !inRange(field, *value)) return false;
            design.rules.*std::get<int RuleSet::*>(field.member) = truncatedCount(*value);
            return true;
        }
        case FieldKind::Flag:
            if (const auto value = flag()) {
                design.rules.*std::get<int RuleSet::*>(field.member) = *value;
                return true;
            }
            return false;
        case FieldKind::Bool:
            if (const auto value = flag()) {
                design.rules.*std::get<bool RuleSet::*>(field.member) = *value == 1;
                return true;
            }
            return false;
        case FieldKind::Choice:
            if (const auto index = choiceIndex(field, text)) {
                design.rules.*std::get<int RuleSet::*>(field.member) = *index;
                return true;
            }
            return false;
        case FieldKind::Wires:
            if (const auto set = wireSetFromText(text)) {
                design.rules.*std::get<WireSet RuleSet::*>(field.member) = *set;
                return true;
            }
            return false;
    }
    return false;
}

double fieldNumber(const Design& design, const DesignField& field) {
    return std::visit(
        [&](auto member) -> double {
            using Member = decltype(member);
            if constexpr (std::is_same_v<Member, float DesignInputs::*>)
                return design.inputs.*member;
            else if constexpr (std::is_same_v<Member, WireSet RuleSet::*>)
                return 0;
            else
                return static_cast<double>(design.rules.*member);
        },
        field.member);
}

}  // namespace quillmere
