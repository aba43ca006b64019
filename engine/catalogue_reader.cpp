#include "engine/catalogue_reader.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <nlohmann/json.hpp>
#include <numbers>
#include <optional>
#include <string>

#include "engine/nearest_names.h"

namespace quillmere {

namespace {

using Json = nlohmann::json;

// One file says at most this much; the rest is counted.
constexpr std::size_t kMaxMessages = 20;

enum class Bound { Finite, NotNegative, Positive };

// Collects what is wrong with one entry (or the file itself) while reading its members.
class Problems {
public:
    Problems(std::vector<std::string>& out, std::string prefix) : out_(out), prefix_(std::move(prefix)) {}

    // The reader of a member object, whose problems name it: "window.width is missing".
    Problems inside(std::string_view member) const {
        return Problems(out_, prefix_ + std::string(member) + ".");
    }
    Problems labelled(std::string label) const { return Problems(out_, prefix_ + label + ": "); }

    void add(std::string_view member, std::string_view what) const {
        out_.push_back(prefix_ + std::string(member) + " " + std::string(what));
    }
    void addPlain(std::string what) const {
        // A label ends in ": " and a member path in "."; neither belongs before a whole sentence.
        std::string head = prefix_;
        if (!head.empty() && head.back() == '.') head.pop_back();
        if (head.size() >= 2 && head.ends_with(": ")) head.resize(head.size() - 2);
        out_.push_back(head.empty() ? what : head + " " + what);
    }

    std::optional<double> number(const Json& object, std::string_view member, Bound bound,
                                 bool required) const {
        const auto it = object.find(member);
        if (it == object.end() || it->is_null()) {
            if (required) add(member, "is missing");
            return std::nullopt;
        }
        if (!it->is_number()) {
            add(member, "is not a number");
            return std::nullopt;
        }
        const double value = it->get<double>();
        if (!std::isfinite(value)) {
            add(member, "is not a finite number");
            return std::nullopt;
        }
        if (bound == Bound::Positive && !(value > 0)) {
            add(member, "must be above zero");
            return std::nullopt;
        }
        if (bound == Bound::NotNegative && value < 0) {
            add(member, "must not be below zero");
            return std::nullopt;
        }
        return value;
    }
    double required(const Json& object, std::string_view member, Bound bound) const {
        return number(object, member, bound, true).value_or(0);
    }
    std::optional<double> optional(const Json& object, std::string_view member, Bound bound) const {
        return number(object, member, bound, false);
    }

    // A string member; null or absent give "" (or a problem when required).
    std::string text(const Json& object, std::string_view member, bool required) const {
        const auto it = object.find(member);
        if (it == object.end() || it->is_null()) {
            if (required) add(member, "is missing");
            return {};
        }
        if (!it->is_string()) {
            add(member, "is not a text");
            return {};
        }
        std::string value = it->get<std::string>();
        if (required && value.find_first_not_of(' ') == std::string::npos) add(member, "is empty");
        return value;
    }

    bool flag(const Json& object, std::string_view member, bool fallback) const {
        const auto it = object.find(member);
        if (it == object.end() || it->is_null()) return fallback;
        if (!it->is_boolean()) {
            add(member, "is not true or false");
            return fallback;
        }
        return it->get<bool>();
    }

    std::vector<std::string> texts(const Json& object, std::string_view member) const {
        std::vector<std::string> out;
        const auto it = object.find(member);
        if (it == object.end() || it->is_null()) return out;
        if (!it->is_array()) {
            add(member, "is not a list");
            return out;
        }
        for (const Json& item : *it) {
            if (!item.is_string()) {
                add(member, "holds something other than texts");
                return {};
            }
            out.push_back(item.get<std::string>());
        }
        return out;
    }

    // The object member `member`; nullptr if absent or null (a problem when required or not an object).
    const Json* object(const Json& parent, std::string_view member, bool required) const {
        const auto it = parent.find(member);
        if (it == parent.end() || it->is_null()) {
            if (required) add(member, "is missing");
            return nullptr;
        }
        if (!it->is_object()) {
            add(member, "is not an object");
            return nullptr;
        }
        return &*it;
    }

private:
    std::vector<std::string>& out_;
    std::string prefix_;
};

std::optional<CentreLeg> readCentreLeg(const Json& leg, const Problems& problems) {
    CentreLeg out;
    const std::string kind = problems.text(leg, "kind", true);
    if (kind == "round") {
        out.shape = LegShape::Round;
        out.diameter = problems.required(leg, "diameter", Bound::Positive);
        out.holeDiameter = problems.optional(leg, "holeDiameter", Bound::NotNegative).value_or(0);
        if (out.holeDiameter >= out.diameter && out.diameter > 0)
            problems.add("holeDiameter", "must be smaller than the diameter");
    } else if (kind == "rectangular" || kind == "oblong") {
        out.shape = kind == "oblong" ? LegShape::Oblong : LegShape::Rectangular;
        out.width = problems.required(leg, "width", Bound::Positive);
        out.depth = problems.required(leg, "depth", Bound::Positive);
    } else if (!kind.empty()) {
        problems.add("kind", "must be \"round\", \"rectangular\" or \"oblong\"");
        return std::nullopt;
    } else {
        return std::nullopt;
    }
    const std::optional<double> area = problems.optional(leg, "area", Bound::Positive);
    if (area) {
        out.area = *area;
    } else {
        // Not given: the geometric section.
        constexpr double pi = std::numbers::pi;
        switch (out.shape) {
            case LegShape::Round:
                out.area = pi / 4 * (out.diameter * out.diameter - out.holeDiameter * out.holeDiameter);
                break;
            case LegShape::Rectangular:
                out.area = out.width * out.depth;
                break;
            case LegShape::Oblong:
                out.area = pi / 4 * out.width * out.width + (out.depth - out.width) * out.width;
                break;
        }
    }
    return out;
}

std::optional<BobbinColumn> readColumn(const Json& column, const Problems& problems) {
    BobbinColumn out;
    if (column.contains("radius")) {
        out.round = true;
        out.diameter = 2 * problems.required(column, "radius", Bound::Positive);
        return out;
    }
    if (column.contains("halfWidth")) {
        out.round = false;
        out.width = 2 * problems.required(column, "halfWidth", Bound::Positive);
        if (const auto halfDepth = problems.optional(column, "halfDepth", Bound::Positive))
            out.depth = 2 * *halfDepth;
        return out;
    }
    problems.addPlain("needs radius or halfWidth");
    return std::nullopt;
}

Bobbin readBobbin(const Json& item, const Problems& problems) {
    Bobbin out;
    out.name = problems.text(item, "name", true);
    out.maker = problems.text(item, "maker", false);
    out.reference = problems.text(item, "reference", false);
    out.datasheetUrl = problems.text(item, "datasheetUrl", false);
    out.slotWidth = problems.required(item, "slotWidth", Bound::Positive);
    out.slotDepth = problems.required(item, "slotDepth", Bound::Positive);
    if (const Json* column = problems.object(item, "column", false))
        out.column = readColumn(*column, problems.inside("column"));
    out.columnWall = problems.optional(item, "columnWall", Bound::NotNegative);
    out.plausible = problems.flag(item, "plausible", true);
    out.derived = problems.flag(item, "derived", false);
    out.issues = problems.texts(item, "issues");
    return out;
}

void readBobbins(const Json& core, CoreShape& out, const Problems& problems) {
    const auto list = core.find("bobbins");
    if (list == core.end()) {
        problems.add("bobbins", "is missing");
        return;
    }
    if (!list->is_array()) {
        problems.add("bobbins", "is not a list");
        return;
    }
    for (std::size_t i = 0; i < list->size(); ++i) {
        const Json& item = (*list)[i];
        const bool named = item.is_object() && item.contains("name") && item["name"].is_string();
        const Problems bobbinProblems =
            problems.labelled(named ? "bobbin \"" + item["name"].get<std::string>() + "\""
                                    : "bobbin #" + std::to_string(i + 1));
        if (!item.is_object()) {
            bobbinProblems.addPlain("is not an object");
            continue;
        }
        // Names need not be unique: the data has different bobbins of one name for a core.
        out.bobbins.push_back(readBobbin(item, bobbinProblems));
    }

    const auto chosen = core.find("defaultBobbin");
    if (chosen == core.end()) {
        // Not said: the first plausible bobbin, else the first.
        for (std::size_t i = 0; i < out.bobbins.size() && !out.defaultBobbinIndex; ++i)
            if (out.bobbins[i].plausible) out.defaultBobbinIndex = i;
        if (!out.defaultBobbinIndex && !out.bobbins.empty()) out.defaultBobbinIndex = 0;
    } else if (chosen->is_string()) {
        const std::string name = chosen->get<std::string>();
        for (std::size_t i = 0; i < out.bobbins.size() && !out.defaultBobbinIndex; ++i)
            if (out.bobbins[i].name == name) out.defaultBobbinIndex = i;
        if (!out.defaultBobbinIndex)
            problems.add("defaultBobbin", "\"" + name + "\" is not one of its bobbins");
    } else if (!chosen->is_null()) {
        problems.add("defaultBobbin", "is not a text");
    }
}

CoreShape readCore(const Json& item, const Problems& problems) {
    CoreShape out;
    out.name = problems.text(item, "name", true);
    out.aliases = problems.texts(item, "aliases");
    out.family = problems.text(item, "family", true);
    out.planar = problems.flag(item, "planar", false);
    if (const Json* dimensions = problems.object(item, "dimensions", false)) {
        const Problems inner = problems.inside("dimensions");
        for (const auto& [letter, value] : dimensions->items())
            if (const auto number = inner.optional(*dimensions, letter, Bound::Finite))
                out.dimensions.emplace_back(letter, *number);
    }
    out.ae = problems.required(item, "Ae", Bound::Positive);
    out.le = problems.required(item, "le", Bound::Positive);
    out.ve = problems.required(item, "Ve", Bound::Positive);
    out.amin = problems.optional(item, "Amin", Bound::Positive);
    if (const Json* window = problems.object(item, "window", false)) {
        const Problems inner = problems.inside("window");
        out.window = CoreWindow{inner.required(*window, "width", Bound::Positive),
                                inner.required(*window, "height", Bound::Positive)};
    }
    if (const Json* leg = problems.object(item, "centreLeg", false))
        out.centreLeg = readCentreLeg(*leg, problems.inside("centreLeg"));
    if (const Json* box = problems.object(item, "boundingBox", false)) {
        const Problems inner = problems.inside("boundingBox");
        out.boundingBox = BoundingBox{inner.required(*box, "width", Bound::Positive),
                                      inner.required(*box, "height", Bound::Positive),
                                      inner.required(*box, "depth", Bound::Positive)};
    }
    out.plausible = problems.flag(item, "plausible", true);
    out.shapeIssues = problems.texts(item, "shapeIssues");
    out.notes = problems.texts(item, "notes");
    readBobbins(item, out, problems);
    return out;
}

Material readMaterial(const Json& item, const Problems& problems) {
    Material out;
    out.name = problems.text(item, "name", true);
    out.manufacturer = problems.text(item, "manufacturer", false);
    out.composition = problems.text(item, "composition", false);
    out.initialPermeability25C = problems.optional(item, "initialPermeability25C", Bound::Positive);
    out.initialPermeability100C = problems.optional(item, "initialPermeability100C", Bound::Positive);
    out.bsat25C = problems.required(item, "Bsat25C_T", Bound::Positive);
    out.bsat100C = problems.required(item, "Bsat100C_T", Bound::Positive);
    // No material saturates above about 2.5 T: a larger figure was given in mT.
    constexpr double kMostTesla = 3;
    if (out.bsat25C > kMostTesla) problems.add("Bsat25C_T", "must be given in tesla (at most 3)");
    if (out.bsat100C > kMostTesla) problems.add("Bsat100C_T", "must be given in tesla (at most 3)");
    out.curieTemperature = problems.optional(item, "curieTemperature_C", Bound::Finite);
    out.density = problems.optional(item, "density_kg_m3", Bound::Positive);
    out.checkLossDensity = problems.optional(item, "pv_100kHz_100mT_100C_kW_m3", Bound::NotNegative);
    if (const Json* provenance = problems.object(item, "provenance", false))
        out.datasheetUrl = problems.inside("provenance").text(*provenance, "datasheetUrl", false);
    out.notes = problems.texts(item, "notes");

    const auto ranges = item.find("steinmetz");
    if (ranges == item.end() || ranges->is_null()) {
        problems.add("steinmetz", "is missing");
        return out;
    }
    if (!ranges->is_array()) {
        problems.add("steinmetz", "is not a list");
        return out;
    }
    if (ranges->empty()) problems.add("steinmetz", "holds no range");
    for (std::size_t i = 0; i < ranges->size(); ++i) {
        const Json& range = (*ranges)[i];
        const Problems inner = problems.labelled("steinmetz range #" + std::to_string(i + 1));
        if (!range.is_object()) {
            inner.addPlain("is not an object");
            continue;
        }
        SteinmetzRange r;
        r.fMin = inner.required(range, "fMin", Bound::NotNegative);
        r.fMax = inner.required(range, "fMax", Bound::Positive);
        r.k = inner.required(range, "k", Bound::Positive);
        r.alpha = inner.required(range, "alpha", Bound::Positive);
        r.beta = inner.required(range, "beta", Bound::Positive);
        r.ct0 = inner.required(range, "ct0", Bound::Finite);
        r.ct1 = inner.required(range, "ct1", Bound::Finite);
        r.ct2 = inner.required(range, "ct2", Bound::Finite);
        if (r.fMax > 0 && r.fMax <= r.fMin) inner.add("fMax", "must be above fMin");
        if (!out.steinmetz.empty() && r.fMin <= out.steinmetz.back().fMin)
            inner.add("fMin", "must be above the previous range's (ranges go up in frequency)");
        out.steinmetz.push_back(r);
    }
    return out;
}

// The label of entry `index` of a list: its name when it has one that is a text.
std::string entryLabel(std::string_view kind, const Json& item, std::size_t index) {
    if (item.is_object()) {
        const auto name = item.find("name");
        if (name != item.end() && name->is_string() &&
            name->get<std::string>().find_first_not_of(' ') != std::string::npos)
            return std::string(kind) + " \"" + name->get<std::string>() + "\"";
    }
    return std::string(kind) + " #" + std::to_string(index + 1);
}

// Folded names already taken, with where they came from for the duplicate message.
template <typename Entry>
std::map<std::string, std::string> takenNames(const std::vector<Entry>& entries) {
    std::map<std::string, std::string> out;
    for (const Entry& entry : entries)
        out.emplace(foldedName(entry.name), entry.source.empty() ? "the built-in catalogue" : entry.source);
    return out;
}

// Adds `name` to `taken` and says what is wrong if it was there; names that differ only in
// case or spaces are one name.
std::optional<std::string> takeName(std::map<std::string, std::string>& taken, const std::string& name,
                                    std::string_view kind) {
    // Entries of the file being read are marked by an empty origin.
    const auto [it, added] = taken.emplace(foldedName(name), "");
    if (added) return std::nullopt;
    if (it->second.empty()) return "the name is given twice in this file";
    return "the name is already taken by a " + std::string(kind) + " from " + it->second;
}

std::string positionText(std::string_view text, std::size_t offset) {
    offset = std::min(offset, text.size());
    std::size_t line = 1;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < offset; ++i)
        if (text[i] == '\n') {
            ++line;
            lineStart = i + 1;
        }
    return "line " + std::to_string(line) + ", column " + std::to_string(offset - lineStart + 1);
}

}  // namespace

std::vector<CatalogueMessage> CatalogueBuilder::add(CoreCatalogue& catalogue, std::string_view text,
                                                    std::string_view fileName, std::string_view source) {
    std::vector<CatalogueMessage> messages;
    const std::string file(fileName);
    auto say = [&](std::string entry, std::string problem) {
        if (messages.size() < kMaxMessages)
            messages.push_back({file, std::move(entry), std::move(problem)});
        else if (messages.size() == kMaxMessages)
            messages.push_back({file, "", "more problems not listed"});
    };

    // The library lets the later of two equal member names win; a file that says a value twice
    // is refused instead of choosing one quietly.
    std::vector<std::string> keys;          // of the open objects, innermost last
    std::vector<std::size_t> objectStarts;  // where each open object's keys begin
    std::optional<std::string> givenTwice;
    const Json::parser_callback_t watchNames = [&](int, Json::parse_event_t event, Json& parsed) {
        if (event == Json::parse_event_t::object_start) objectStarts.push_back(keys.size());
        if (event == Json::parse_event_t::object_end) {
            keys.resize(objectStarts.back());
            objectStarts.pop_back();
        }
        if (event == Json::parse_event_t::key) {
            const std::string& key = parsed.get_ref<const std::string&>();
            const auto first = keys.begin() + static_cast<std::ptrdiff_t>(objectStarts.back());
            if (std::find(first, keys.end(), key) != keys.end() && !givenTwice) givenTwice = key;
            keys.push_back(key);
        }
        return true;
    };
    Json root;
    try {
        root = Json::parse(text, watchNames);
    } catch (const Json::parse_error& e) {
        const std::size_t at = e.byte > 0 ? e.byte - 1 : 0;
        say("", "not valid JSON (" + positionText(text, at) + ")");
        return messages;
    } catch (const Json::exception&) {
        say("", "holds a number out of range");
        return messages;
    }
    if (givenTwice) {
        say("", "the member \"" + *givenTwice + "\" is given twice in one object");
        return messages;
    }
    if (!root.is_object()) {
        say("", "is not a JSON object with \"cores\" or \"materials\"");
        return messages;
    }
    const auto coreList = root.find("cores");
    const auto materialList = root.find("materials");
    if (coreList == root.end() && materialList == root.end()) {
        say("", "holds neither \"cores\" nor \"materials\"");
        return messages;
    }
    if (coreList != root.end() && !coreList->is_array()) say("", "\"cores\" is not a list");
    if (materialList != root.end() && !materialList->is_array()) say("", "\"materials\" is not a list");
    if (!messages.empty()) return messages;

    std::vector<CoreShape> cores;
    std::vector<Material> materials;
    std::map<std::string, std::string> coreNames = takenNames(catalogue.cores_);
    std::map<std::string, std::string> materialNames = takenNames(catalogue.materials_);
    std::vector<std::string> problems;
    auto report = [&](const std::string& entry) {
        for (std::string& problem : problems) say(entry, std::move(problem));
        problems.clear();
    };

    if (coreList != root.end())
        for (std::size_t i = 0; i < coreList->size(); ++i) {
            const Json& item = (*coreList)[i];
            const std::string entry = entryLabel("core", item, i);
            if (!item.is_object()) {
                say(entry, "is not an object");
                continue;
            }
            CoreShape core = readCore(item, Problems(problems, ""));
            core.source = source;
            if (!core.name.empty())
                if (auto clash = takeName(coreNames, core.name, "core")) problems.push_back(*clash);
            report(entry);
            cores.push_back(std::move(core));
        }
    if (materialList != root.end())
        for (std::size_t i = 0; i < materialList->size(); ++i) {
            const Json& item = (*materialList)[i];
            const std::string entry = entryLabel("material", item, i);
            if (!item.is_object()) {
                say(entry, "is not an object");
                continue;
            }
            Material material = readMaterial(item, Problems(problems, ""));
            material.source = source;
            if (!material.name.empty())
                if (auto clash = takeName(materialNames, material.name, "material"))
                    problems.push_back(*clash);
            report(entry);
            materials.push_back(std::move(material));
        }
    if (!messages.empty()) return messages;

    for (CoreShape& core : cores) catalogue.cores_.push_back(std::move(core));
    for (Material& material : materials) catalogue.materials_.push_back(std::move(material));
    return messages;
}

}  // namespace quillmere
