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
#include "cli/help_texts.h"
#include "engine/design_fields.h"
#include "engine/design_file.h"
#include "engine/entry_number.h"

using namespace quillmere;

namespace {

// One `--NAME VALUE` option of the design.
struct DesignOption {
    std::string_view name;
    std::string_view group;  ///< Chinese source of the heading
    LocalText description;
    std::function<bool(Design&, const std::string&)> set;  ///< false: the value is not acceptable
};

constexpr std::string_view kInputs = "设计输入";
constexpr std::string_view kRules = "规则";

// The fields' options, the controller after the inputs and the wire sets last.
std::vector<DesignOption> makeDesignOptions() {
    std::vector<DesignOption> table;
    const auto add = [&table](const DesignField& field) {
        table.push_back(
            {field.option, field.isInput() ? kInputs : kRules, fieldHelpText(field.option, field.description),
             [&field](Design& d, const std::string& v) { return setFieldFromText(d, field, v); }});
    };
    for (const DesignField& field : kDesignFields)
        if (field.isInput()) add(field);
    const std::string_view controller = "控制器：0 ----，1 BP3105，2 PL3532，3 PSR通用";
    table.push_back({"controller-choice",
                     kInputs,
                     {controller, helpText(Language::English, controller)},
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

// CLI11's help in one language: its own words ("Usage", "OPTIONS") through the labels.
class LocalFormatter : public CLI::Formatter {
public:
    explicit LocalFormatter(Language language) {
        label("Usage", std::string(helpText(language, "用法")));
        label("OPTIONS", std::string(helpText(language, "选项")));
        column_width(34);
    }
};

// What the parser collects before anything is applied: the options may stand in any order,
// but the design file comes first.
struct Parsed {
    CLI::App app;
    std::vector<CLI::Option*> designOptions;
    std::string format;
    CLI::Option* json = nullptr;
    CLI::Option* help = nullptr;
    CLI::Option* version = nullptr;
    std::string designFile;
    std::string saveDesign;
    std::string languageName;
    std::string core, bobbin, material, cores, minAe, maxAe;
    std::vector<std::string> catalogues;
    CLI::Option* listCores = nullptr;
    CLI::Option* listMaterials = nullptr;

    explicit Parsed(Language language)
        : app(std::string(helpText(language,
                                   "用默认设计或一个设计文件做一次反激变压器分析，按选项修改设计，\n"
                                   "列出排好序的解法。")),
              "quillmere-cli") {
        const auto said = [language](std::string_view source) {
            return std::string(helpText(language, source));
        };
        app.set_help_flag();
        app.footer(
            said("开关量取 1 或 0；线径组是以逗号分隔的线表直径（mm）。\n"
                 "--design 从设计文件（.qmd，见 docs/design-file.md）开始，而不是从默认值；\n"
                 "其余选项无论写在哪里都修改它。\n"
                 "退出状态：0 已分析（或已保存设计），1 无法保存设计，2 用法错误或设计文件有误，\n"
                 "3 被分析检查拒绝。"));
        app.formatter(std::make_shared<LocalFormatter>(language));
        for (const DesignOption& option : ::designOptions()) {
            // Every occurrence is kept: all are checked, the last one counts.
            designOptions.push_back(
                app.add_option("--" + std::string(option.name))
                    ->description(std::string(language == Language::Chinese ? option.description.source
                                                                            : option.description.english))
                    ->group(said(option.group))
                    ->type_name("VALUE")
                    ->take_all()
                    ->expected(1)
                    ->allow_extra_args(false));
        }
        const std::string files = said("文件与输出");
        app.add_option("--design", designFile, said("从这个设计文件开始"))->type_name("FILE")->group(files);
        app.add_option("--save-design", saveDesign, said("把设计写入这个文件后停止"))
            ->type_name("FILE")
            ->group(files);
        app.add_option("--format", format, said("table（默认）、json 或 csv"))
            ->type_name("FORMAT")
            ->group(files);
        json = app.add_flag("--json")->description(said("等同于 --format json"))->group(files);
        app.add_option("--lang", languageName,
                       said("标题和消息的语言：en 或 zh（未给出时看 QUILLMERE_LANG，再没有则为 zh）"))
            ->type_name("LANG")
            ->group(files);
        const std::string catalogue = said("磁芯库");
        app.add_option("--core", core, said("绕在这个磁芯库磁芯上（Ae 与槽取自磁芯库）"))
            ->type_name("NAME")
            ->group(catalogue);
        app.add_option("--bobbin", bobbin, said("磁芯的骨架，按名称或厂家型号（默认：其第一个）"))
            ->type_name("REF")
            ->group(catalogue);
        app.add_option("--material", material, said("磁芯材质（默认 N87）"))
            ->type_name("NAME")
            ->group(catalogue);
        app.add_option("--cores", cores, said("在这些磁芯中搜索：all、一个系列或 NAME[,NAME...]"))
            ->type_name("SET")
            ->group(catalogue);
        app.add_option("--min-ae", minAe, said("与 --cores all 或系列同用：最小 Ae，mm²"))
            ->type_name("MM2")
            ->group(catalogue);
        app.add_option("--max-ae", maxAe, said("与 --cores all 或系列同用：最大 Ae，mm²"))
            ->type_name("MM2")
            ->group(catalogue);
        listCores =
            app.add_flag("--list-cores")->description(said("列出磁芯库的磁芯后停止"))->group(catalogue);
        listMaterials =
            app.add_flag("--list-materials")->description(said("列出磁芯库的材质后停止"))->group(catalogue);
        app.add_option("--catalogue", catalogues, said("从这个文件再读入磁芯和材质（可重复）"))
            ->type_name("FILE")
            ->group(catalogue)
            ->take_all();
        help = app.add_flag("-h,--help")->description(said("显示本帮助后停止"))->group(files);
        version = app.add_flag("--version")->description(said("显示版本后停止"))->group(files);
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
    const Language language = messageLanguage(args);
    Parsed parsed(language);
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
    // Before --help, which speaks it.
    if (parsed.app.count("--lang") > 0) {
        read.language = languageNamed(parsed.languageName);
        if (!read.language) {
            error = said("值不可用：") + "--lang: " + parsed.languageName + " (en, zh)";
            return false;
        }
    }
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
        DesignRead file = readDesignFile(read.designFile, language);
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

std::string usageText(Language language) {
    return Parsed(language).app.help();
}
