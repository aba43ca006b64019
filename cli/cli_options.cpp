#include "cli/cli_options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string_view>
#include <tuple>
#include <vector>

#include "cli/cli_texts.h"
#include "engine/design_fields.h"
#include "engine/design_file.h"
#include "engine/entry_number.h"

namespace {

// One `--NAME VALUE` option of the design.
struct DesignOption {
    std::string_view name;
    std::string_view group;
    std::string_view description;
    std::function<bool(Design&, const std::string&)> set;  ///< false: the value is not acceptable
};

constexpr std::string_view kInputs = "Design inputs";
constexpr std::string_view kRules = "Rules";

// The fields' options, the controller after the inputs and the wire sets last.
std::vector<DesignOption> makeDesignOptions() {
    std::vector<DesignOption> table;
    const auto add = [&table](const DesignField& field) {
        table.push_back(
            {field.option, field.isInput() ? kInputs : kRules, field.description,
             [&field](Design& d, const std::string& v) { return setFieldFromText(d, field, v); }});
    };
    for (const DesignField& field : kDesignFields)
        if (field.isInput()) add(field);
    table.push_back({"controller-choice", kInputs, "0 ----, 1 BP3105, 2 PL3532, 3 PSR通用 (PSR gen.)",
                     [](Design& s, const std::string& v) {
                         // "L6562" (4) is never accepted by the form either.
                         const auto value = parseEntryInt(v);
                         if (!value || *value < 0 || *value > 3) return false;
                         s.controllerChoice = *value;
                         return true;
                     }});
    for (const DesignField& field : kDesignFields)
        if (!field.isInput() && field.kind != FieldKind::Wires) add(field);
    for (const DesignField& field : kDesignFields)
        if (field.kind == FieldKind::Wires) add(field);
    return table;
}

const std::vector<DesignOption>& designOptions() {
    static const std::vector<DesignOption> table = makeDesignOptions();
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
    std::string core, bobbin, material, cores, minAe, maxAe;
    std::vector<std::string> catalogues;
    CLI::Option* listCores = nullptr;
    CLI::Option* listMaterials = nullptr;

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
        const std::string catalogue = "Core catalogue";
        app.add_option("--core", core, "wind on this catalogue core (Ae and slot from the catalogue)")
            ->type_name("NAME")
            ->group(catalogue);
        app.add_option("--bobbin", bobbin,
                       "the core's bobbin by name or maker reference (default: its first)")
            ->type_name("REF")
            ->group(catalogue);
        app.add_option("--material", material, "the ferrite (default N87)")
            ->type_name("NAME")
            ->group(catalogue);
        app.add_option("--cores", cores, "search these cores: all, a family or NAME[,NAME...]")
            ->type_name("SET")
            ->group(catalogue);
        app.add_option("--min-ae", minAe, "with --cores all or a family: smallest Ae, mm²")
            ->type_name("MM2")
            ->group(catalogue);
        app.add_option("--max-ae", maxAe, "with --cores all or a family: largest Ae, mm²")
            ->type_name("MM2")
            ->group(catalogue);
        listCores = app.add_flag("--list-cores")
                        ->description("list the catalogue's cores and stop")
                        ->group(catalogue);
        listMaterials = app.add_flag("--list-materials")
                            ->description("list the catalogue's materials and stop")
                            ->group(catalogue);
        app.add_option("--catalogue", catalogues, "read more cores and materials from this file (repeatable)")
            ->type_name("FILE")
            ->group(catalogue)
            ->take_all();
        help = app.add_flag("-h,--help")->description("show this help and stop")->group(files);
        version = app.add_flag("--version")->description("show the version and stop")->group(files);
    }
};

// Letters to change, add or remove to turn `a` into `b`.
std::size_t editDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// The language of the parser's messages, known before the parse: the last --lang that names one,
// else QUILLMERE_LANG, else Chinese.
Language messageLanguage(const std::vector<std::string>& args) {
    std::optional<Language> chosen;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--lang" && i + 1 < args.size()) {
            if (const auto named = languageNamed(args[i + 1])) chosen = named;
        } else if (args[i].starts_with("--lang=")) {
            if (const auto named = languageNamed(std::string_view(args[i]).substr(7))) chosen = named;
        }
    }
    if (chosen) return *chosen;
    return languageFromEnvironment(std::getenv(kLanguageVariable)).value_or(Language::Chinese);
}

// What the parser did not know, in the order given, with the nearest option for a near miss.
std::string unexpectedText(const CLI::App& app, const std::vector<std::string>& extras, Language language) {
    std::string out(cliText(language, "未知的参数："));
    for (const std::string& extra : extras) out += " " + extra;
    for (const std::string& extra : extras) {
        if (!extra.starts_with("--")) continue;
        const std::string name = extra.substr(0, extra.find('='));
        std::string nearest;
        std::size_t best = 3;
        for (const CLI::Option* option : app.get_options()) {
            for (const std::string& known : option->get_lnames()) {
                const std::size_t distance = editDistance(name, "--" + known);
                if (distance < best) {
                    best = distance;
                    nearest = "--" + known;
                }
            }
        }
        if (!nearest.empty()) {
            out += "\n";
            char line[200];
            std::snprintf(line, sizeof line, cliText(language, "%s：你是指 %s 吗？").data(), name.c_str(),
                          nearest.c_str());
            out += line;
        }
    }
    return out;
}

}  // namespace

bool parseCommandLine(const std::vector<std::string>& args, Design& design, CliOptions& options,
                      std::string& error) {
    Parsed parsed;
    const Language language = messageLanguage(args);
    const auto said = [language](std::string_view source) { return std::string(cliText(language, source)); };
    parsed.app.allow_extras();
    try {
        // CLI11 takes the arguments last first.
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        parsed.app.parse(reversed);
    } catch (const CLI::ArgumentMismatch& e) {
        // "--lang: 1 required LANG missing": the option is named before the colon.
        const std::string what = e.what();
        error = what.substr(0, what.find(':')) + said("：缺少参数");
        return false;
    } catch (const CLI::ParseError& e) {
        error = said("命令行有误：") + e.what();
        return false;
    }
    if (!parsed.app.remaining().empty()) {
        error = unexpectedText(parsed.app, parsed.app.remaining(), language);
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
        error = said("值不可用：") + "--format: " + parsed.format + " (table, json, csv)";
        return false;
    }
    if (parsed.json->count() > 0 && parsed.app.count("--format") > 0 && parsed.format != "json") {
        error = said("选项互相矛盾：") + "--json, --format " + parsed.format;
        return false;
    }
    read.format = parsed.json->count() > 0 ? ResultFormat::Json : named.value_or(ResultFormat::Table);
    for (const auto& [name, path] :
         {std::pair{"--design", &parsed.designFile}, {"--save-design", &parsed.saveDesign}})
        if (parsed.app.count(name) > 0 && path->empty()) {
            error = std::string(name) + said("：缺少文件名");
            return false;
        }
    read.designFile = parsed.designFile;
    read.saveDesign = parsed.saveDesign;
    if (parsed.app.count("--lang") > 0) {
        read.language = languageNamed(parsed.language);
        if (!read.language) {
            error = said("值不可用：") + "--lang: " + parsed.language + " (en, zh)";
            return false;
        }
    }

    CliCoreOptions& cores = read.cores;
    for (const auto& [name, text, value] : {std::tuple{"--core", &parsed.core, &cores.core},
                                            {"--bobbin", &parsed.bobbin, &cores.bobbin},
                                            {"--material", &parsed.material, &cores.material},
                                            {"--cores", &parsed.cores, &cores.cores}})
        if (parsed.app.count(name) > 0) {
            if (text->empty()) {
                error = said("值不可用：") + name + ": " + *text;
                return false;
            }
            *value = *text;
        }
    for (const auto& [name, text, value] :
         {std::tuple{"--min-ae", &parsed.minAe, &cores.minAe}, {"--max-ae", &parsed.maxAe, &cores.maxAe}})
        if (parsed.app.count(name) > 0) {
            double number = 0;
            const char* end = text->data() + text->size();
            const auto read = std::from_chars(text->data(), end, number);
            if (read.ec != std::errc() || read.ptr != end || !std::isfinite(number) || number < 0) {
                error = said("值不可用：") + name + ": " + *text;
                return false;
            }
            *value = number;
        }
    cores.listCores = parsed.listCores->count() > 0;
    cores.listMaterials = parsed.listMaterials->count() > 0;
    for (const std::string& file : parsed.catalogues) {
        if (file.empty()) {
            error = std::string("--catalogue") + said("：缺少文件名");
            return false;
        }
        cores.catalogues.emplace_back(file);
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
            const std::string_view field = designOptions()[k].name;
            cores.aeGiven = cores.aeGiven || field == designField("coreAe", true)->option;
            cores.slotWidthGiven = cores.slotWidthGiven || field == designField("slotWidth", true)->option;
            cores.slotDepthGiven = cores.slotDepthGiven || field == designField("slotDepth", true)->option;
            if (!designOptions()[k].set(changed, value)) {
                error = said("值不可用：") + option.get_name() + ": " + value;
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
