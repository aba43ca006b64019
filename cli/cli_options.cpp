#include "cli/cli_options.h"

#include <CLI/CLI.hpp>
#include <cmath>
#include <functional>
#include <sstream>
#include <string_view>

#include "engine/design_file.h"
#include "engine/entry_number.h"

namespace {

// Applies one value to the design; false when the value is not acceptable.
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

// One `--NAME VALUE` option of the design.
struct DesignOption {
    std::string_view name;
    std::string_view group;
    std::string_view description;
    Setter set;
};

constexpr std::string_view kInputs = "Design inputs";
constexpr std::string_view kRules = "Rules";

const std::vector<DesignOption>& designOptions() {
    static const std::vector<DesignOption> table = {
        {"min-input-vac", kInputs, "minimum input voltage, V AC", floatMember(&DesignInputs::minInputVac)},
        {"max-input-vac", kInputs, "maximum input voltage, V AC", floatMember(&DesignInputs::maxInputVac)},
        {"output-voltage", kInputs, "output voltage, V", floatMember(&DesignInputs::outputVoltage)},
        {"output-current", kInputs, "output current, A", floatMember(&DesignInputs::outputCurrent)},
        {"feedback-voltage", kInputs, "feedback winding voltage, V",
         floatMember(&DesignInputs::feedbackVoltage)},
        {"min-rectified-vdc", kInputs, "minimum rectified voltage, V DC",
         floatMember(&DesignInputs::minRectifiedVdc)},
        {"efficiency", kInputs, "transformer transfer efficiency, %", floatMember(&DesignInputs::efficiency)},
        {"core-ae", kInputs, "core effective area, mm²", floatMember(&DesignInputs::coreAe)},
        {"slot-width", kInputs, "bobbin slot width, mm", floatMember(&DesignInputs::slotWidth)},
        {"slot-depth", kInputs, "bobbin slot depth, mm", floatMember(&DesignInputs::slotDepth)},
        {"aux-wire-diameter", kInputs, "auxiliary winding wire diameter, mm",
         floatMember(&DesignInputs::auxWireDiameter)},
        {"controller-choice", kInputs, "0 ----, 1 BP3105, 2 PL3532, 3 PSR通用 (PSR gen.)",
         [](Design& s, const std::string& v) {
             // "L6562" (4) is never accepted by the form either.
             const auto value = parseEntryInt(v);
             if (!value || *value < 0 || *value > 3) return false;
             s.controllerChoice = *value;
             return true;
         }},
        {"peak-flux", kRules, "peak flux density centre, gauss", ruleMember(&RuleSet::peakFlux)},
        {"peak-flux-span", kRules, "± span of the peak flux density, gauss",
         ruleMember(&RuleSet::peakFluxSpan)},
        {"on-duty", kRules, "on-duty centre, %", ruleMember(&RuleSet::onDuty)},
        {"on-duty-span", kRules, "± span of the on-duty, %", ruleMember(&RuleSet::onDutySpan)},
        {"frequency", kRules, "switching frequency centre, kHz", ruleMember(&RuleSet::frequency)},
        {"frequency-span", kRules, "± span of the frequency, kHz", ruleMember(&RuleSet::frequencySpan)},
        {"switch-drop", kRules, "switch on-state drop, V", ruleMember(&RuleSet::switchDrop)},
        {"diode-drop", kRules, "output diode forward drop, V", ruleMember(&RuleSet::diodeDrop)},
        {"temp-rise", kRules, "coil temperature rise, degrees", ruleMember(&RuleSet::tempRise)},
        {"wind-depth-limit", kRules, "winding depth limit, % of the slot depth",
         ruleMember(&RuleSet::windDepthLimit)},
        {"first-winding-min-share", kRules, "first winding minimum share, %",
         ruleMember(&RuleSet::firstWindingMinShare)},
        {"slot-width-reserve", kRules, "slot width reserve, %", ruleMember(&RuleSet::slotWidthReserve)},
        {"tape-thickness", kRules, "tape thickness, mm", ruleMember(&RuleSet::tapeThickness)},
        {"tape-turns", kRules, "tape turns between windings", ruleMember(&RuleSet::tapeTurns)},
        {"output-duty", kRules, "output duty, % (CC mode)", ruleMember(&RuleSet::outputDuty)},
        {"idle-ratio", kRules, "idle ratio, % (CV mode)", ruleMember(&RuleSet::idleRatio)},
        {"max-solutions", kRules, "most solutions listed",
         [](Design& s, const std::string& v) {
             // Truncated toward zero, as the rules dialog saves it.
             const auto value = parseEntryFloat(v);
             if (!value || std::fabs(*value) >= 2147483648.0f) return false;
             s.rules.maxSolutions = static_cast<int>(*value);
             return true;
         }},
        {"cc-mode", kRules, "1 CC (PFM), 0 CV (PWM)", flagMember(&RuleSet::ccMode)},
        {"sandwich-winding", kRules, "1 sandwich winding", flagMember(&RuleSet::sandwichWinding)},
        {"skin-effect", kRules, "1 consider the skin effect", flagMember(&RuleSet::skinEffect)},
        {"even-turns", kRules, "1 even turn counts only", flagMember(&RuleSet::evenTurns)},
        {"sandwich-wire-change", kRules, "1 allow a wire change inside the sandwich",
         flagMember(&RuleSet::sandwichWireChange)},
        {"primary-strands", kRules, "parallel primary strands, a whole number",
         [](Design& s, const std::string& v) {
             const auto value = parseEntryInt(v);
             if (value) s.rules.primaryStrands = static_cast<float>(*value);
             return value.has_value();
         }},
        {"secondary-strands", kRules, "parallel secondary strands", ruleMember(&RuleSet::secondaryStrands)},
        {"primary-wires", kRules, "primary candidate wires, e.g. 0.20,0.21,0.23",
         wireSet(&RuleSet::primaryWires)},
        {"secondary-wires", kRules, "secondary candidate wires, e.g. 0.30",
         wireSet(&RuleSet::secondaryWires)},
    };
    return table;
}

constexpr std::string_view kFooter =
    "Flags take 1 or 0; a wire set is a comma-separated list of catalogue diameters (mm).\n"
    "--design starts from a design file (.qmd, docs/design-file.md) instead of the defaults; the\n"
    "other options change it wherever they stand.\n"
    "Exit status: 0 analysed (or design saved), 1 the design could not be saved, 2 bad usage or\n"
    "a bad design file, 3 refused by the analyse checks.";

// What the parser collects before anything is applied: the options may stand in any order,
// but the design file comes first.
struct Parsed {
    CLI::App app{
        "Runs one flyback transformer analysis on the built-in defaults or a design file,\n"
        "changed by the options, and prints the ranked solutions.",
        "quillmere-cli"};
    std::vector<CLI::Option*> designOptions;
    std::string format;
    CLI::Option* json = nullptr;
    CLI::Option* help = nullptr;
    CLI::Option* version = nullptr;
    std::string designFile;
    std::string saveDesign;
    std::string language;

    Parsed() {
        app.set_help_flag();
        app.footer(std::string(kFooter));
        app.get_formatter()->column_width(34);
        for (const DesignOption& option : ::designOptions()) {
            // Every occurrence is kept: all are checked, the last one counts.
            designOptions.push_back(app.add_option("--" + std::string(option.name))
                                        ->description(std::string(option.description))
                                        ->group(std::string(option.group))
                                        ->type_name("VALUE")
                                        ->take_all()
                                        ->expected(1)
                                        ->allow_extra_args(false));
        }
        const std::string files = "Files and output";
        app.add_option("--design", designFile, "start from this design file")
            ->type_name("FILE")
            ->group(files);
        app.add_option("--save-design", saveDesign, "write the design to this file and stop")
            ->type_name("FILE")
            ->group(files);
        app.add_option("--format", format, "table (default), json or csv")->type_name("FORMAT")->group(files);
        json = app.add_flag("--json")->description("same as --format json")->group(files);
        app.add_option("--lang", language, "headings and messages in en or zh (else QUILLMERE_LANG, else zh)")
            ->type_name("LANG")
            ->group(files);
        help = app.add_flag("-h,--help")->description("show this help and stop")->group(files);
        version = app.add_flag("--version")->description("show the version and stop")->group(files);
    }
};

}  // namespace

bool parseCommandLine(const std::vector<std::string>& args, Design& design, CliOptions& options,
                      std::string& error) {
    Parsed parsed;
    try {
        // CLI11 takes the arguments last first.
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        parsed.app.parse(reversed);
    } catch (const CLI::ParseError& e) {
        error = e.what();
        return false;
    }

    CliOptions read;
    read.help = parsed.help->count() > 0;
    read.version = parsed.version->count() > 0;
    if (read.help || read.version) {
        options = read;
        return true;
    }
    const std::optional<ResultFormat> named = resultFormatNamed(parsed.format);
    if (parsed.app.count("--format") > 0 && !named) {
        error = "bad value for --format: " + parsed.format + " (table, json or csv)";
        return false;
    }
    if (parsed.json->count() > 0 && parsed.app.count("--format") > 0 && parsed.format != "json") {
        error = "--json contradicts --format " + parsed.format;
        return false;
    }
    read.format = parsed.json->count() > 0 ? ResultFormat::Json : named.value_or(ResultFormat::Table);
    for (const auto& [name, path] :
         {std::pair{"--design", &parsed.designFile}, {"--save-design", &parsed.saveDesign}})
        if (parsed.app.count(name) > 0 && path->empty()) {
            error = std::string(name) + " needs a file name";
            return false;
        }
    read.designFile = parsed.designFile;
    read.saveDesign = parsed.saveDesign;
    if (parsed.app.count("--lang") > 0) {
        read.language = languageNamed(parsed.language);
        if (!read.language) {
            error = "bad value for --lang: " + parsed.language + " (en or zh)";
            return false;
        }
    }

    Design changed = design;
    if (!read.designFile.empty()) {
        DesignRead file = readDesignFile(read.designFile);
        if (!file) {
            error = file.error;
            return false;
        }
        changed = *file.design;
    }
    for (std::size_t k = 0; k < parsed.designOptions.size(); ++k) {
        const CLI::Option& option = *parsed.designOptions[k];
        for (const std::string& value : option.results()) {
            if (!designOptions()[k].set(changed, value)) {
                error = "bad value for " + option.get_name() + ": " + value;
                return false;
            }
        }
    }
    design = changed;
    options = read;
    return true;
}

std::string usageText() {
    return Parsed().app.help();
}
