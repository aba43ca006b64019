#include "cli/cli_cores.h"

#include <cstdio>
#include <nlohmann/json.hpp>

#include "cli/cli_texts.h"
#include "engine/core_selection.h"
#include "engine/result_export.h"

using namespace quillmere;

namespace {

std::string joined(const std::vector<std::string>& names, std::string_view separator) {
    std::string out;
    for (const std::string& name : names) {
        if (!out.empty()) out += separator;
        out += name;
    }
    return out;
}

std::string said(Language language, std::string_view source) {
    return std::string(cliText(language, source));
}

// "未知的磁芯：ETD 30" with the nearest names on a second line.
}  // namespace

std::string unknownNameText(Language language, const CoreResolution& failure) {
    const std::string_view what = failure.what == "core"     ? "未知的磁芯："
                                  : failure.what == "bobbin" ? "未知的骨架："
                                                             : "未知的材质：";
    std::string out = said(language, what) + failure.name;
    if (!failure.nearest.empty()) out += "\n" + said(language, "你是指：") + joined(failure.nearest, ", ");
    return out;
}

namespace {

std::string unknownText(Language language, const CoreResolution& failure) {
    return unknownNameText(language, failure);
}

std::vector<std::string> split(const std::string& list) {
    std::vector<std::string> items;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = list.find(',', start);
        items.push_back(list.substr(start, comma - start));
        if (comma == std::string::npos) return items;
        start = comma + 1;
    }
}

// The core set of --cores WHAT: every core, a family, or the named cores.
std::optional<CoreSetChoice> coreSetOf(const CliCoreOptions& options, const CoreCatalogue& catalogue,
                                       Language language, std::string& error) {
    CoreSetChoice set;
    const std::string& wanted = *options.cores;
    const bool named = wanted != "all" && !catalogue.hasFamily(wanted);
    if (named) {
        if (options.minAe || options.maxAe) {
            error = said(language, "--min-ae 与 --max-ae 只用于 --cores all 或磁芯系列");
            return std::nullopt;
        }
        for (std::string& name : split(wanted)) {
            if (!catalogue.findCore(name)) {
                CoreResolution failure;
                failure.what = "core";
                failure.name = name;
                failure.nearest = catalogue.nearestCoreNames(name);
                error = unknownText(language, failure);
                return std::nullopt;
            }
            set.cores.push_back(catalogue.findCore(name)->name);
        }
    } else if (wanted != "all") {
        set.family = wanted;
    }
    set.minAe = options.minAe;
    set.maxAe = options.maxAe;
    set.material = options.material.value_or("");
    const CoreSetResolution resolved = resolveCoreSet(set, catalogue);
    if (!resolved) {
        error = unknownText(language, resolved.failure);
        return std::nullopt;
    }
    if (resolved.cores.empty()) {
        error = said(language, "所选范围内没有可搜索的磁芯：") + "--cores " + wanted;
        return std::nullopt;
    }
    if (!set.cores.empty()) {
        // Stored in catalogue order, each once.
        set.cores.clear();
        for (const CoreContext& core : resolved.cores) set.cores.push_back(core.core.name);
    }
    return set;
}

std::string numberText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

std::string optionalNumber(const std::optional<double>& value) {
    return value ? numberText(*value) : "—";
}

// Columns on a terminal: CJK ideographs take two cells, everything else one.
std::size_t displayWidth(std::string_view text) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        width += length == 3 && c >= 0xE4 ? 2 : 1;
        i += length;
    }
    return width;
}

// Rows of texts as an aligned table, as CSV or (given the JSON) as JSON.
std::string listText(const std::vector<std::string>& headings,
                     const std::vector<std::vector<std::string>>& rows, ResultFormat format,
                     const nlohmann::ordered_json& json) {
    if (format == ResultFormat::Json)
        return json.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
    if (format == ResultFormat::Csv) {
        std::string out = "\xEF\xBB\xBF";
        const auto row = [&out](const std::vector<std::string>& texts) {
            out += csvRow(std::vector<std::string_view>(texts.begin(), texts.end()));
        };
        row(headings);
        for (const auto& texts : rows) row(texts);
        return out;
    }
    std::vector<std::size_t> widths(headings.size());
    for (std::size_t c = 0; c < headings.size(); ++c) {
        widths[c] = displayWidth(headings[c]);
        for (const auto& texts : rows) widths[c] = std::max(widths[c], displayWidth(texts[c]));
    }
    std::string out;
    const auto line = [&](const std::vector<std::string>& texts) {
        for (std::size_t c = 0; c < texts.size(); ++c) {
            out += texts[c];
            if (c + 1 == texts.size()) break;
            out.append(widths[c] - displayWidth(texts[c]) + 2, ' ');
        }
        out += "\n";
    };
    line(headings);
    for (const auto& texts : rows) line(texts);
    return out;
}

nlohmann::ordered_json optionalJson(const std::optional<double>& value) {
    return value ? nlohmann::ordered_json(*value) : nlohmann::ordered_json();
}

}  // namespace

CatalogueLoad loadCliCatalogue(const CliCoreOptions& options) {
    std::vector<CatalogueFile> files;
    if (const auto folder = userCatalogueFolder()) files = userCatalogueFiles(*folder);
    for (const auto& path : options.catalogues) files.push_back({path, true});
    return loadCatalogue(files);
}

bool applyCoreOptions(Design& design, const CliCoreOptions& options, const CoreCatalogue& catalogue,
                      Language language, std::string& error) {
    Design changed = design;
    std::optional<CoreChoice> choice;
    if (options.core) {
        choice = CoreChoice{*options.core, options.bobbin.value_or(""), std::nullopt,
                            options.material.value_or("")};
    } else if (changed.core && (options.bobbin || options.material)) {
        choice = *changed.core;
        if (options.bobbin) {
            choice->bobbin = *options.bobbin;
            choice->bobbinIndex.reset();
        }
        if (options.material) choice->material = *options.material;
    } else if (options.bobbin) {
        error = said(language, "--bobbin 需要 --core 或带磁芯的设计");
        return false;
    }
    if (choice) {
        const CoreResolution resolved = resolveCore(*choice, catalogue);
        if (!resolved) {
            error = unknownText(language, resolved);
            return false;
        }
        changed.core = choiceOf(*resolved.context);
        const DesignInputs typed = changed.inputs;
        changed.inputs = withCore(changed.inputs, *resolved.context);
        if (options.aeGiven) changed.inputs.coreAe = typed.coreAe;
        if (options.slotWidthGiven) changed.inputs.slotWidth = typed.slotWidth;
        if (options.slotDepthGiven) changed.inputs.slotDepth = typed.slotDepth;
    }
    // Numbers typed for the core make it a custom one, as typing them on the form does.
    if (options.coreNumbersGiven()) changed.core.reset();

    if (options.cores) {
        const auto set = coreSetOf(options, catalogue, language, error);
        if (!set) return false;
        changed.coreSet = *set;
    } else if (options.minAe || options.maxAe) {
        error = said(language, "--min-ae 与 --max-ae 只用于 --cores all 或磁芯系列");
        return false;
    } else if (options.material && changed.coreSet) {
        changed.coreSet->material = *options.material;
        if (const CoreSetResolution resolved = resolveCoreSet(*changed.coreSet, catalogue); !resolved) {
            error = unknownText(language, resolved.failure);
            return false;
        }
    } else if (options.material && !changed.core) {
        error = said(language, "--material 需要 --core、--cores 或带磁芯的设计");
        return false;
    }
    design = std::move(changed);
    return true;
}

std::string coreListText(const CoreCatalogue& catalogue, ResultFormat format, Language language) {
    std::vector<std::string> headings;
    for (std::string_view heading :
         {"名称", "系列", "Ae (mm²)", "le (mm)", "Ve (mm³)", "槽宽 (mm)", "槽深 (mm)", "骨架"})
        headings.push_back(said(language, heading));
    std::vector<std::vector<std::string>> rows;
    nlohmann::ordered_json json = nlohmann::ordered_json::array();
    for (const CoreShape& core : catalogue.cores()) {
        const Bobbin* bobbin = core.defaultBobbin();
        std::vector<std::string> names;
        nlohmann::ordered_json bobbins = nlohmann::ordered_json::array();
        for (const Bobbin& each : core.bobbins) {
            names.push_back(each.name);
            bobbins.push_back({{"name", each.name},
                               {"reference", each.reference},
                               {"slotWidthMm", each.slotWidth},
                               {"slotDepthMm", each.slotDepth}});
        }
        rows.push_back({core.name, core.family, numberText(core.ae), numberText(core.le), numberText(core.ve),
                        bobbin ? numberText(bobbin->slotWidth) : "—",
                        bobbin ? numberText(bobbin->slotDepth) : "—", joined(names, "; ")});
        json.push_back(
            {{"name", core.name},
             {"family", core.family},
             {"aeMm2", core.ae},
             {"leMm", core.le},
             {"veMm3", core.ve},
             {"plausible", core.plausible},
             {"defaultBobbin", bobbin ? nlohmann::ordered_json(bobbin->name) : nlohmann::ordered_json()},
             {"bobbins", std::move(bobbins)}});
    }
    return listText(headings, rows, format, json);
}

std::string materialListText(const CoreCatalogue& catalogue, ResultFormat format, Language language) {
    std::vector<std::string> headings;
    for (std::string_view heading : {"名称", "厂商", "μi (25 °C)", "Bsat 25 °C (T)", "Bsat 100 °C (T)"})
        headings.push_back(said(language, heading));
    std::vector<std::vector<std::string>> rows;
    nlohmann::ordered_json json = nlohmann::ordered_json::array();
    for (const Material& material : catalogue.materials()) {
        rows.push_back({material.name, material.manufacturer, optionalNumber(material.initialPermeability25C),
                        numberText(material.bsat25C), numberText(material.bsat100C)});
        json.push_back({{"name", material.name},
                        {"manufacturer", material.manufacturer},
                        {"initialPermeability25C", optionalJson(material.initialPermeability25C)},
                        {"bsat25CT", material.bsat25C},
                        {"bsat100CT", material.bsat100C}});
    }
    return listText(headings, rows, format, json);
}
