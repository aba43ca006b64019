#include "engine/design_file.h"

#include "engine/design_fields.h"
#include "engine/design_file_texts.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <nlohmann/json.hpp>
#include <set>
#include <variant>
#include <vector>

#include "engine/maker_settings_file.h"
#include "engine/number_text.h"
#include "engine/system_error_text.h"

namespace quillmere {

namespace {

// Files are written in the order of kDesignFields; they are read through a sorted map, so that a file of
// many members cannot make the reading slow.
using OrderedJson = nlohmann::ordered_json;
using Json = nlohmann::json;

constexpr double kStrandLimit = kCountLimit;
// Doubles below this magnitude round to a finite float; at and above it to infinity.
constexpr double kFloatOverflow = 0x1.ffffffp127;

// ---- writing

// The shortest decimal that reads back, through a double, as exactly `value`.
OrderedJson floatJson(float value) {
    std::array<char, 32> text{};
    const auto written = std::to_chars(text.data(), text.data() + text.size(), value);
    double shortest = 0;
    std::from_chars(text.data(), written.ptr, shortest);
    const bool exact =
        std::bit_cast<std::uint32_t>(static_cast<float>(shortest)) == std::bit_cast<std::uint32_t>(value);
    return exact ? shortest : static_cast<double>(value);
}

// A count the rules dialog stores goes out as an integer; anything else (-0 included) as a
// number with a point, which reading then refuses.
OrderedJson wholeFloatJson(float value) {
    const bool count = std::isfinite(value) && std::trunc(value) == value &&
                       std::fabs(value) <= kStrandLimit && !(value == 0 && std::signbit(value));
    return count ? OrderedJson(static_cast<std::int64_t>(value)) : floatJson(value);
}

OrderedJson wiresJson(const WireSet& set) {
    OrderedJson list = OrderedJson::array();
    for (int i = 0; i < WireCatalogue::kSize; ++i) {
        const float value = set[static_cast<std::size_t>(i)];
        if (value == WireCatalogue::value(i))
            list.push_back(WireCatalogue::text(i));
        else if (std::bit_cast<std::uint32_t>(value) != 0)  // no size of the catalogue: reading refuses it
            list.push_back(floatJson(value).dump());
    }
    return list;
}

// ---- reading

// A text from the file as a message shows it: quoted, escaped to ASCII and cut when long, so
// that neither a huge nor a strange text reaches the reader's terminal.
std::string quotedText(std::string_view text) {
    constexpr std::size_t kLongest = 40;
    std::size_t end = std::min(text.size(), kLongest);
    while (end > 0 && end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return Json(std::string(text.substr(0, end))).dump(-1, ' ', true, Json::error_handler_t::replace) +
           (end < text.size() ? "..." : "");
}

// A member path as a message shows it: a path nested beyond reason keeps its start and its end
// around a "…", so that the message stays a few lines long. The path is ASCII (see shown()).
std::string shortenedPath(std::string path) {
    constexpr std::size_t kLongest = 200, kHead = 99;
    if (path.size() <= kLongest) return path;
    return path.substr(0, kHead) + "…" + path.substr(path.size() - (kLongest - kHead - 1));
}

// A member name as a path shows it: plain when it is a short word, else quoted.
std::string shown(std::string_view name) {
    const bool plain =
        !name.empty() && name.size() <= 40 && std::all_of(name.begin(), name.end(), [](char c) {
            return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
                   c == '[' || c == ']';
        });
    return plain ? std::string(name) : quotedText(name);
}

std::string typeText(const Json& value, Language language) {
    switch (value.type()) {
        case Json::value_t::null:
            return "null";
        case Json::value_t::object:
            return designFileSays(language, "an object");
        case Json::value_t::array:
            return designFileSays(language, "a list");
        case Json::value_t::string:
            return designFileSays(language, "the text %s", {quotedText(value.get_ref<const std::string&>())});
        case Json::value_t::boolean:
            return value.get<bool>() ? "true" : "false";
        default:
            return value.dump();
    }
}

// A member's value failed its check: the reason, which the reader prefixes with the path.
struct Refusal {
    std::string path;
    std::string reason;
};

class Reader {
public:
    explicit Reader(Language language) : language_(language) {}

    std::optional<Refusal> refusal;

    // The object member `name` of `parent`, or nothing (with a refusal) when missing.
    const Json* member(const Json& parent, std::string_view path, std::string_view name) {
        const auto it = parent.find(name);
        if (it == parent.end()) {
            refuse(path, name, say("missing"));
            return nullptr;
        }
        return &*it;
    }

    void refuse(std::string_view path, std::string_view name, std::string reason) {
        if (refusal) return;
        std::string full(path);
        if (!full.empty() && !name.empty()) full += '.';
        if (!name.empty()) full += shown(name);
        refusal = Refusal{std::move(full), std::move(reason)};
    }

    std::optional<float> readFloat(const Json& value, std::string_view path, std::string_view name) {
        if (!value.is_number()) {
            refuse(path, name, say("expected a number, found %s", {typeOf(value)}));
            return std::nullopt;
        }
        const double number = value.get<double>();
        if (!std::isfinite(number)) {
            refuse(path, name, say("not a finite number"));
            return std::nullopt;
        }
        if (std::fabs(number) >= kFloatOverflow) {
            refuse(path, name, say("not a finite number in single precision: %s", {value.dump()}));
            return std::nullopt;
        }
        // Between the largest float and the overflow threshold a double rounds to the largest float.
        constexpr float kMax = std::numeric_limits<float>::max();
        if (std::fabs(number) > kMax) return std::signbit(number) ? -kMax : kMax;
        return static_cast<float>(number);
    }

    // A number written without a point or an exponent, within [low, high].
    std::optional<std::int64_t> readInteger(const Json& value, std::string_view path, std::string_view name,
                                            std::int64_t low, std::int64_t high) {
        if (!value.is_number_integer()) {
            refuse(path, name, say("expected a whole number, found %s", {typeOf(value)}));
            return std::nullopt;
        }
        const bool tooLarge =
            value.is_number_unsigned() && value.get<std::uint64_t>() > static_cast<std::uint64_t>(high);
        const std::int64_t number = tooLarge ? high : value.get<std::int64_t>();
        if (tooLarge || number < low || number > high) {
            refuse(path, name,
                   say("%s is out of range (%s to %s)",
                       {value.dump(), std::to_string(low), std::to_string(high)}));
            return std::nullopt;
        }
        return number;
    }

    std::optional<WireSet> readWires(const Json& value, std::string_view path, std::string_view name) {
        if (!value.is_array()) {
            refuse(path, name, say("expected a list of wire sizes, found %s", {typeOf(value)}));
            return std::nullopt;
        }
        if (value.empty()) {
            refuse(path, name, say("no wire size listed"));
            return std::nullopt;
        }
        WireSet set{};
        for (std::size_t k = 0; k < value.size(); ++k) {
            const Json& item = value[k];
            const std::string itemName = std::string(name) + "[" + std::to_string(k) + "]";
            if (!item.is_string()) {
                refuse(path, itemName, say("expected a wire size text, found %s", {typeOf(item)}));
                return std::nullopt;
            }
            const auto& text = item.get_ref<const std::string&>();
            std::optional<int> index;
            for (int i = 0; i < WireCatalogue::kSize && !index; ++i)
                if (WireCatalogue::text(i) == text) index = i;
            if (!index) {
                refuse(path, itemName, say("unknown wire size %s", {quotedText(text)}));
                return std::nullopt;
            }
            float& slot = set[static_cast<std::size_t>(*index)];
            if (slot != 0.0f) {
                refuse(path, itemName, say("wire size %s listed twice", {text}));
                return std::nullopt;
            }
            slot = WireCatalogue::value(*index);
        }
        return set;
    }

    // Refuses the first member of `object` whose name `isKnown` does not know.
    template <typename Known>
    void refuseUnknown(const Json& object, std::string_view path, const Known& isKnown) {
        for (const auto& [key, value] : object.items()) {
            if (!isKnown(key)) {
                refuse(path, key, say("unknown member"));
                return;
            }
        }
    }

    // A float within the field's range.
    std::optional<float> readFloat(const Json& value, std::string_view path, const DesignField& field) {
        const auto number = readFloat(value, path, field.name);
        if (number && !inRange(field, *number)) {
            // The field table's own refusal, in the reader's language.
            refuse(path, field.name,
                   say("%s is out of range (%s to %s)",
                       {numberText(*number), numberText(field.low), numberText(field.high)}));
            return std::nullopt;
        }
        return number;
    }

    static std::string choiceList(const DesignField& field) {
        std::string list;
        for (std::string_view word : field.choices)
            list += (list.empty() ? "\"" : ", \"") + std::string(word) + "\"";
        return list;
    }

    void readRule(const Json& value, const DesignField& field, RuleSet& rules) {
        constexpr std::string_view path = "rules";
        switch (field.kind) {
            case FieldKind::Float:
                if (const auto number = readFloat(value, path, field))
                    rules.*std::get<float RuleSet::*>(field.member) = *number;
                break;
            case FieldKind::WholeFloat: {
                const auto number = readInteger(value, path, field.name, static_cast<std::int64_t>(field.low),
                                                static_cast<std::int64_t>(field.high));
                if (!number) break;
                const auto single = static_cast<float>(*number);
                if (static_cast<std::int64_t>(single) != *number) {
                    refuse(path, field.name,
                           say("%s is no count the rules dialog can hold", {std::to_string(*number)}));
                    break;
                }
                rules.*std::get<float RuleSet::*>(field.member) = single;
                break;
            }
            case FieldKind::Count:
            case FieldKind::Flag:
                if (const auto number =
                        readInteger(value, path, field.name, static_cast<std::int64_t>(field.low),
                                    static_cast<std::int64_t>(field.high)))
                    rules.*std::get<int RuleSet::*>(field.member) = static_cast<int>(*number);
                break;
            case FieldKind::Bool:
                if (!value.is_boolean())
                    refuse(path, field.name, say("expected true or false, found %s", {typeOf(value)}));
                else
                    rules.*std::get<bool RuleSet::*>(field.member) = value.get<bool>();
                break;
            case FieldKind::Choice:
                if (const auto index =
                        value.is_string() ? choiceIndex(field, value.get<std::string>()) : std::nullopt)
                    rules.*std::get<int RuleSet::*>(field.member) = *index;
                else
                    refuse(path, field.name,
                           say("expected one of %s, found %s", {choiceList(field), value.dump()}));
                break;
            case FieldKind::Wires:
                if (const auto set = readWires(value, path, field.name))
                    rules.*std::get<WireSet RuleSet::*>(field.member) = *set;
                break;
        }
    }

    std::optional<std::string> readText(const Json& value, std::string_view path, std::string_view name) {
        if (!value.is_string()) {
            refuse(path, name, say("expected a text, found %s", {typeOf(value)}));
            return std::nullopt;
        }
        return value.get<std::string>();
    }

    // A member that may be missing; `read` runs only when it is there.
    template <typename Read>
    void optionalMember(const Json& parent, std::string_view name, const Read& read) {
        if (const auto it = parent.find(name); it != parent.end()) read(*it);
    }

    // An Ae bound: null for none, else a finite number of mm² not below zero.
    std::optional<double> readBound(const Json& value, std::string_view path, std::string_view name) {
        if (value.is_null()) return std::nullopt;
        if (!value.is_number() || !std::isfinite(value.get<double>()) || value.get<double>() < 0) {
            refuse(path, name,
                   say("expected null or a number of mm² not below 0, found %s", {typeOf(value)}));
            return std::nullopt;
        }
        return value.get<double>();
    }

    std::optional<CoreChoice> readCore(const Json& value) {
        constexpr std::string_view kPath = "core";
        if (!value.is_object()) {
            refuse("", kPath, say("expected an object, found %s", {typeOf(value)}));
            return std::nullopt;
        }
        CoreChoice choice;
        if (const Json* name = member(value, kPath, "name"))
            if (const auto text = readText(*name, kPath, "name")) {
                choice.core = *text;
                if (text->empty()) refuse(kPath, "name", say("no core named"));
            }
        optionalMember(value, "bobbin", [&](const Json& item) {
            if (const auto text = readText(item, kPath, "bobbin")) choice.bobbin = *text;
        });
        optionalMember(value, "bobbinIndex", [&](const Json& item) {
            if (item.is_null()) return;
            if (const auto index = readInteger(item, kPath, "bobbinIndex", 0, 1'000'000))
                choice.bobbinIndex = static_cast<std::size_t>(*index);
        });
        optionalMember(value, "material", [&](const Json& item) {
            if (const auto text = readText(item, kPath, "material")) choice.material = *text;
        });
        refuseUnknown(value, kPath, [](const std::string& key) {
            return key == "name" || key == "bobbin" || key == "bobbinIndex" || key == "material";
        });
        if (refusal) return std::nullopt;
        return choice;
    }

    std::optional<CoreSetChoice> readCoreSet(const Json& value) {
        constexpr std::string_view kPath = "coreSet";
        if (!value.is_object()) {
            refuse("", kPath, say("expected an object, found %s", {typeOf(value)}));
            return std::nullopt;
        }
        CoreSetChoice set;
        optionalMember(value, "cores", [&](const Json& list) {
            if (!list.is_array()) {
                refuse(kPath, "cores", say("expected a list of core names, found %s", {typeOf(list)}));
                return;
            }
            for (std::size_t k = 0; k < list.size(); ++k)
                if (const auto text = readText(list[k], kPath, "cores[" + std::to_string(k) + "]"))
                    set.cores.push_back(*text);
        });
        optionalMember(value, "family", [&](const Json& item) {
            if (const auto text = readText(item, kPath, "family")) set.family = *text;
        });
        optionalMember(value, "minAe",
                       [&](const Json& item) { set.minAe = readBound(item, kPath, "minAe"); });
        optionalMember(value, "maxAe",
                       [&](const Json& item) { set.maxAe = readBound(item, kPath, "maxAe"); });
        optionalMember(value, "plausibleOnly", [&](const Json& item) {
            if (!item.is_boolean())
                refuse(kPath, "plausibleOnly", say("expected true or false, found %s", {typeOf(item)}));
            else
                set.plausibleOnly = item.get<bool>();
        });
        optionalMember(value, "material", [&](const Json& item) {
            if (const auto text = readText(item, kPath, "material")) set.material = *text;
        });
        refuseUnknown(value, kPath, [](const std::string& key) {
            return key == "cores" || key == "family" || key == "minAe" || key == "maxAe" ||
                   key == "plausibleOnly" || key == "material";
        });
        if (refusal) return std::nullopt;
        return set;
    }

    std::optional<Design> readDesign(const Json& root) {
        if (!root.is_object()) {
            refuse("", "", say("not a Quillmere design file (expected an object, found %s)", {typeOf(root)}));
            return std::nullopt;
        }
        const auto found = root.find("format");
        const Json* format = found != root.end() ? &*found : nullptr;
        if (!format || !format->is_string() || *format != kDesignFileFormat) {
            refuse("", "format",
                   say("not a Quillmere design file (expected \"%s\", found %s)",
                       {kDesignFileFormat, format ? typeOf(*format) : say("nothing")}));
            return std::nullopt;
        }
        const Json* version = member(root, "", "version");
        if (!version) return std::nullopt;
        if (!version->is_number_integer()) {
            refuse("", "version", say("expected a whole number, found %s", {typeOf(*version)}));
            return std::nullopt;
        }
        const bool newer = version->is_number_unsigned() &&
                           version->get<std::uint64_t>() > static_cast<std::uint64_t>(kDesignFileVersion);
        if (newer) {
            refuse("", "version",
                   say("%s is newer than this program reads (%s)",
                       {version->dump(), std::to_string(kDesignFileVersion)}));
            return std::nullopt;
        }
        if (*version != kDesignFileVersion && *version != 1) {
            refuse("", "version", say("%s is no version of the format", {version->dump()}));
            return std::nullopt;
        }

        Design design;
        if (const Json* inputs = member(root, "", "inputs")) {
            if (!inputs->is_object()) {
                refuse("", "inputs", say("expected an object, found %s", {typeOf(*inputs)}));
            } else {
                for (const DesignField& field : kDesignFields)
                    if (field.isInput())
                        if (const Json* value = member(*inputs, "inputs", field.name))
                            if (const auto number = readFloat(*value, "inputs", field))
                                design.inputs.*std::get<float DesignInputs::*>(field.member) = *number;
                refuseUnknown(*inputs, "inputs",
                              [](const std::string& key) { return designField(key, true); });
            }
        }
        if (const Json* choice = member(root, "", "controllerChoice")) {
            if (*choice == static_cast<int>(Controller::L6562))
                refuse("", "controllerChoice", say("4 (L6562) is not supported"));
            else if (const auto number = readInteger(*choice, "", "controllerChoice", 0, 3))
                design.controllerChoice = static_cast<int>(*number);
        }
        if (const Json* rules = member(root, "", "rules")) {
            if (!rules->is_object()) {
                refuse("", "rules", say("expected an object, found %s", {typeOf(*rules)}));
            } else {
                for (const DesignField& field : kDesignFields) {
                    if (field.isInput()) continue;
                    // A rule saved only when changed is absent from older files and at its default.
                    if (field.savedWhenChanged && !rules->contains(field.name)) continue;
                    if (const Json* value = member(*rules, "rules", field.name))
                        readRule(*value, field, design.rules);
                }
                refuseUnknown(*rules, "rules",
                              [](const std::string& key) { return designField(key, false); });
            }
        }
        // Files written before the sheet's settings existed open with their defaults.
        if (const auto sheet = root.find("sheet"); sheet != root.end())
            if (const auto sheetRefusal = readMakerSettings(*sheet, design.sheet, language_))
                refuse("sheet", sheetRefusal->member, sheetRefusal->reason);
        // Version 1 knows no catalogue: its designs are custom.
        const bool catalogue = *version != 1;
        if (catalogue) {
            optionalMember(root, "core", [&](const Json& value) { design.core = readCore(value); });
            optionalMember(root, "coreSet", [&](const Json& value) { design.coreSet = readCoreSet(value); });
        }
        constexpr std::array<std::string_view, 6> kTopLevel{"format",           "version", "inputs",
                                                            "controllerChoice", "rules",   "sheet"};
        refuseUnknown(root, "", [&](const std::string& key) {
            if (catalogue && (key == "core" || key == "coreSet")) return true;
            return std::ranges::find(kTopLevel, key) != kTopLevel.end();
        });
        if (refusal) return std::nullopt;
        return design;
    }

private:
    Language language_;

    std::string say(std::string_view english, std::initializer_list<std::string_view> values = {}) const {
        return designFileSays(language_, english, values);
    }
    std::string typeOf(const Json& value) const { return typeText(value, language_); }
};

OrderedJson boundJson(const std::optional<double>& bound) {
    return bound ? OrderedJson(*bound) : OrderedJson();
}

OrderedJson coreJson(const CoreChoice& choice) {
    OrderedJson core = OrderedJson::object();
    core["name"] = choice.core;
    core["bobbin"] = choice.bobbin;
    core["bobbinIndex"] = choice.bobbinIndex ? OrderedJson(*choice.bobbinIndex) : OrderedJson();
    core["material"] = choice.material;
    return core;
}

OrderedJson coreSetJson(const CoreSetChoice& set) {
    OrderedJson json = OrderedJson::object();
    json["cores"] = set.cores;
    json["family"] = set.family;
    json["minAe"] = boundJson(set.minAe);
    json["maxAe"] = boundJson(set.maxAe);
    json["plausibleOnly"] = set.plausibleOnly;
    json["material"] = set.material;
    return json;
}

// Builds the document like the library's own parser, but keeps the path to the value being
// read, so that a repeated member name (which the library would let the later one win) and a
// number beyond a double's range are refused naming their member.
class DocumentBuilder : public nlohmann::json_sax<Json> {
public:
    DocumentBuilder(Json& root, Language language) : root_(root), language_(language) {}

    std::optional<std::string> refusal;   // "path: reason"
    std::optional<std::size_t> syntaxAt;  // byte offset of a syntax error

    bool null() override { return add(nullptr); }
    bool boolean(bool value) override { return add(value); }
    bool number_integer(number_integer_t value) override { return add(value); }
    bool number_unsigned(number_unsigned_t value) override { return add(value); }
    bool number_float(number_float_t value, const string_t&) override { return add(value); }
    bool string(string_t& value) override { return add(std::move(value)); }
    bool binary(binary_t&) override { return false; }  // JSON text has none

    bool start_object(std::size_t) override { return open(Json::object()); }
    bool start_array(std::size_t) override { return open(Json::array()); }
    bool end_object() override { return close(); }
    bool end_array() override { return close(); }

    bool key(string_t& name) override {
        Frame& frame = frames_.back();
        frame.key = name;
        if (!frame.keys.insert(name).second) {
            refusal = shortenedPath(path()) + ": " + designFileSays(language_, "given twice");
            return false;
        }
        return true;
    }

    bool parse_error(std::size_t position, const std::string&,
                     const nlohmann::detail::exception& e) override {
        // 406: a number that overflows a double; everything else is a syntax error.
        if (e.id == 406) {
            const std::string where = path();
            refusal = shortenedPath(where) + (where.empty() ? "" : ": ") +
                      designFileSays(language_, "not a finite number");
        } else {
            syntaxAt = position > 0 ? position - 1 : 0;
        }
        return false;
    }

private:
    struct Frame {
        Json* value;
        std::set<std::string> keys;  // objects: the member names so far
        std::string key;             // objects: the member being read
        std::size_t items = 0;       // lists: the items so far
    };
    Json& root_;
    const Language language_;
    std::vector<Frame> frames_;

    // Where the next value goes, as a message names it: inputs.coreAe, rules.primaryWires[2].
    std::string path() const {
        std::string out;
        for (const Frame& frame : frames_) {
            if (frame.value->is_object()) {
                if (!out.empty()) out += '.';
                out += shown(frame.key);
            } else {
                // An open list inside this one is its last item; a value still to come, the next.
                const bool inner = &frame != &frames_.back();
                out += '[';
                out += std::to_string(inner ? frame.items - 1 : frame.items);
                out += ']';
            }
        }
        return out;
    }

    Json* place(Json&& value) {
        if (frames_.empty()) {
            root_ = std::move(value);
            return &root_;
        }
        Frame& frame = frames_.back();
        if (frame.value->is_object()) {
            Json& slot = (*frame.value)[frame.key];
            slot = std::move(value);
            return &slot;
        }
        ++frame.items;
        frame.value->push_back(std::move(value));
        return &frame.value->back();
    }

    bool add(Json&& value) {
        place(std::move(value));
        return true;
    }
    bool open(Json&& container) {
        Json* value = place(std::move(container));
        frames_.push_back({value, {}, {}, 0});
        return true;
    }
    bool close() {
        frames_.pop_back();
        return true;
    }
};

// "not valid JSON" at the line and column (both from 1, columns in bytes) of byte `offset` of `text`.
std::string syntaxErrorText(std::string_view text, std::size_t offset, Language language) {
    offset = std::min(offset, text.size());
    std::size_t line = 1;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < offset; ++i)
        if (text[i] == '\n') {
            ++line;
            lineStart = i + 1;
        }
    return designFileSays(language, "not valid JSON (line %s, column %s)",
                          {std::to_string(line), std::to_string(offset - lineStart + 1)});
}

DesignRead refused(std::string_view fileName, std::string_view message) {
    return {std::nullopt, std::string(fileName) + ": " + std::string(message)};
}

}  // namespace

std::string designFileText(const Design& design) {
    OrderedJson inputs = OrderedJson::object();
    OrderedJson rules = OrderedJson::object();
    for (const DesignField& field : kDesignFields) {
        if (field.isInput()) {
            inputs[field.name] = floatJson(design.inputs.*std::get<float DesignInputs::*>(field.member));
            continue;
        }
        if (field.savedWhenChanged && atDefault(design, field)) continue;
        OrderedJson& value = rules[field.name];
        switch (field.kind) {
            case FieldKind::Float:
                value = floatJson(design.rules.*std::get<float RuleSet::*>(field.member));
                break;
            case FieldKind::WholeFloat:
                value = wholeFloatJson(design.rules.*std::get<float RuleSet::*>(field.member));
                break;
            case FieldKind::Count:
            case FieldKind::Flag:
                value = design.rules.*std::get<int RuleSet::*>(field.member);
                break;
            case FieldKind::Bool:
                value = design.rules.*std::get<bool RuleSet::*>(field.member);
                break;
            case FieldKind::Choice: {
                const int index = design.rules.*std::get<int RuleSet::*>(field.member);
                if (index >= 0 && static_cast<std::size_t>(index) < field.choices.size())
                    value = field.choices[static_cast<std::size_t>(index)];
                else
                    value = index;  // set by code, not by any entrance: refused when read back
                break;
            }
            case FieldKind::Wires:
                value = wiresJson(design.rules.*std::get<WireSet RuleSet::*>(field.member));
                break;
        }
    }

    OrderedJson root = OrderedJson::object();
    root["format"] = kDesignFileFormat;
    root["version"] = kDesignFileVersion;
    root["inputs"] = std::move(inputs);
    root["controllerChoice"] = design.controllerChoice;
    root["rules"] = std::move(rules);
    root["sheet"] = makerSettingsJson(design.sheet);
    if (design.core) root["core"] = coreJson(*design.core);
    if (design.coreSet) root["coreSet"] = coreSetJson(*design.coreSet);
    return root.dump(2) + "\n";
}

DesignRead readDesignText(std::string_view text, std::string_view fileName, Language language) {
    Json root;
    DocumentBuilder builder(root, language);
    if (!Json::sax_parse(text, &builder)) {
        if (builder.refusal) return refused(fileName, *builder.refusal);
        return refused(fileName, syntaxErrorText(text, builder.syntaxAt.value_or(0), language));
    }

    Reader reader(language);
    auto design = reader.readDesign(root);
    if (!design) {
        const Refusal& refusal = *reader.refusal;
        return refused(fileName, refusal.path.empty() ? refusal.reason
                                                      : shortenedPath(refusal.path) + ": " + refusal.reason);
    }
    return {std::move(design), {}};
}

DesignRead readDesignFile(const std::filesystem::path& path, Language language) {
    namespace fs = std::filesystem;
    const std::string name = path.string();
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error) return refused(name, systemErrorText(language, error));
    if (fs::is_directory(status))
        return refused(name, designFileSays(language, "is a folder, not a design file"));
    if (!fs::is_regular_file(status)) return refused(name, designFileSays(language, "not a regular file"));
    const std::uintmax_t size = fs::file_size(path, error);
    if (error) return refused(name, systemErrorText(language, error));
    const std::string tooLarge =
        designFileSays(language, "larger than %s bytes", {std::to_string(kDesignFileMaxBytes)});
    if (size > kDesignFileMaxBytes) return refused(name, tooLarge);

    std::FILE* file = std::fopen(name.c_str(), "rb");
    if (!file)
        return refused(name, systemErrorText(language, std::error_code(errno, std::generic_category())));
    // The file may have grown since its size was taken: read no more than one byte past the limit.
    std::string text(kDesignFileMaxBytes + 1, '\0');
    const std::size_t read = std::fread(text.data(), 1, text.size(), file);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) return refused(name, designFileSays(language, "could not be read"));
    if (read > kDesignFileMaxBytes) return refused(name, tooLarge);
    text.resize(read);
    return readDesignText(text, name, language);
}

}  // namespace quillmere
