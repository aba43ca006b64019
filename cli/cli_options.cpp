#include "cli/cli_options.h"

#include <cmath>
#include <functional>
#include <map>
#include <sstream>

#include "engine/entry_number.h"

namespace {

// Applies one value to the design state; false when the value is not acceptable.
using Setter = std::function<bool(Design&, const std::string&)>;

Setter floatMember(float DesignInputs::*member) {
    return [member](Design& s, const std::string& v) {
        const auto value = parseEntryFloat(v);
        if (value) s.inputs.*member = *value;
        return value.has_value();
    };
}

Setter ruleMember(float RuleSet::*member) {
    return [member](Design& s, const std::string& v) {
        const auto value = parseEntryFloat(v);
        if (value) s.rules.*member = *value;
        return value.has_value();
    };
}

template <typename Flag>
Setter flagMember(Flag RuleSet::*member) {
    return [member](Design& s, const std::string& v) {
        if (v != "0" && v != "1") return false;
        s.rules.*member = static_cast<Flag>(v == "1");
        return true;
    };
}

Setter wireSet(WireSet RuleSet::*member) {
    return [member](Design& s, const std::string& v) {
        WireSet set{};
        std::stringstream list(v);
        std::string item;
        bool any = false;
        while (std::getline(list, item, ',')) {
            const auto diameter = parseEntryFloat(item);
            if (!diameter) return false;
            const auto index = WireCatalogue::indexOf(*diameter);
            if (!index) return false;
            set[static_cast<std::size_t>(*index)] = WireCatalogue::value(*index);
            any = true;
        }
        if (!any) return false;  // an empty set would reject every candidate
        s.rules.*member = set;
        return true;
    };
}

const std::map<std::string, Setter>& setters() {
    static const std::map<std::string, Setter> table = {
        {"min-input-vac", floatMember(&DesignInputs::minInputVac)},
        {"max-input-vac", floatMember(&DesignInputs::maxInputVac)},
        {"output-voltage", floatMember(&DesignInputs::outputVoltage)},
        {"output-current", floatMember(&DesignInputs::outputCurrent)},
        {"feedback-voltage", floatMember(&DesignInputs::feedbackVoltage)},
        {"min-rectified-vdc", floatMember(&DesignInputs::minRectifiedVdc)},
        {"efficiency", floatMember(&DesignInputs::efficiency)},
        {"core-ae", floatMember(&DesignInputs::coreAe)},
        {"slot-width", floatMember(&DesignInputs::slotWidth)},
        {"slot-depth", floatMember(&DesignInputs::slotDepth)},
        {"aux-wire-diameter", floatMember(&DesignInputs::auxWireDiameter)},
        {"controller-choice",
         [](Design& s, const std::string& v) {
             // "L6562" (4) is never accepted by the form either.
             const auto value = parseEntryInt(v);
             if (!value || *value < 0 || *value > 3) return false;
             s.controllerChoice = *value;
             return true;
         }},
        {"peak-flux", ruleMember(&RuleSet::peakFlux)},
        {"peak-flux-span", ruleMember(&RuleSet::peakFluxSpan)},
        {"on-duty", ruleMember(&RuleSet::onDuty)},
        {"on-duty-span", ruleMember(&RuleSet::onDutySpan)},
        {"frequency", ruleMember(&RuleSet::frequency)},
        {"frequency-span", ruleMember(&RuleSet::frequencySpan)},
        {"switch-drop", ruleMember(&RuleSet::switchDrop)},
        {"diode-drop", ruleMember(&RuleSet::diodeDrop)},
        {"temp-rise", ruleMember(&RuleSet::tempRise)},
        {"wind-depth-limit", ruleMember(&RuleSet::windDepthLimit)},
        {"first-winding-min-share", ruleMember(&RuleSet::firstWindingMinShare)},
        {"slot-width-reserve", ruleMember(&RuleSet::slotWidthReserve)},
        {"tape-thickness", ruleMember(&RuleSet::tapeThickness)},
        {"tape-turns", ruleMember(&RuleSet::tapeTurns)},
        {"output-duty", ruleMember(&RuleSet::outputDuty)},
        {"idle-ratio", ruleMember(&RuleSet::idleRatio)},
        {"max-solutions",
         [](Design& s, const std::string& v) {
             // Truncated toward zero, as the rules dialog saves it.
             const auto value = parseEntryFloat(v);
             if (!value || std::fabs(*value) >= 2147483648.0f) return false;
             s.rules.maxSolutions = static_cast<int>(*value);
             return true;
         }},
        {"cc-mode", flagMember(&RuleSet::ccMode)},
        {"sandwich-winding", flagMember(&RuleSet::sandwichWinding)},
        {"skin-effect", flagMember(&RuleSet::skinEffect)},
        {"even-turns", flagMember(&RuleSet::evenTurns)},
        {"sandwich-wire-change", flagMember(&RuleSet::sandwichWireChange)},
        {"primary-strands",
         [](Design& s, const std::string& v) {
             const auto value = parseEntryInt(v);
             if (value) s.rules.primaryStrands = static_cast<float>(*value);
             return value.has_value();
         }},
        {"secondary-strands", ruleMember(&RuleSet::secondaryStrands)},
        {"primary-wires", wireSet(&RuleSet::primaryWires)},
        {"secondary-wires", wireSet(&RuleSet::secondaryWires)},
    };
    return table;
}

}  // namespace

bool parseCommandLine(const std::vector<std::string>& args, Design& design, CliOptions& options,
                      std::string& error) {
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& arg = args[k];
        if (arg == "--json") {
            options.json = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            continue;
        }
        if (arg == "--version") {
            options.version = true;
            continue;
        }
        if (arg == "--lang") {
            if (k + 1 >= args.size()) {
                error = "missing value for --lang";
                return false;
            }
            options.language = languageNamed(args[++k]);
            if (!options.language) {
                error = "bad value for --lang: " + args[k] + " (en or zh)";
                return false;
            }
            continue;
        }
        const auto it = arg.rfind("--", 0) == 0 ? setters().find(arg.substr(2)) : setters().end();
        if (it == setters().end()) {
            error = "unknown option: " + arg;
            return false;
        }
        if (k + 1 >= args.size()) {
            error = "missing value for " + arg;
            return false;
        }
        const std::string& value = args[++k];
        if (!it->second(design, value)) {
            error = "bad value for " + arg + ": " + value;
            return false;
        }
    }
    return true;
}

std::string usageText() {
    std::string text =
        "usage: quillmere-cli [--NAME VALUE]... [--json] [--lang en|zh] [--help] [--version]\n"
        "Runs one flyback transformer analysis on the built-in defaults, changed by the options,\n"
        "and prints the ranked solutions.\n\n"
        "Flags take 1 or 0; a wire set is a comma-separated list of catalogue diameters (mm).\n"
        "Exit status: 0 analysed, 2 bad usage, 3 refused by the analyse checks.\n"
        "Headings and messages are Chinese unless --lang en or QUILLMERE_LANG=en asks for English.\n\n"
        "NAMEs:\n";
    for (const auto& [name, setter] : setters()) text += "  --" + name + "\n";
    return text;
}
