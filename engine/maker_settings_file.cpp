#include "engine/maker_settings_file.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string_view>

#include "engine/design_file_texts.h"

namespace quillmere {

namespace {

using Json = nlohmann::json;
using OrderedJson = nlohmann::ordered_json;

struct PinField {
    std::string_view name;
    int MakerSettings::*member;
};

struct NumberField {
    std::string_view name;
    float MakerSettings::*member;
};

struct TextField {
    std::string_view name;
    std::string MakerSettings::*member;
};

constexpr std::array<PinField, 7> kPins{{
    {"primaryStartPin", &MakerSettings::primaryStartPin},
    {"primaryMidpointPin", &MakerSettings::primaryMidpointPin},
    {"primaryFinishPin", &MakerSettings::primaryFinishPin},
    {"auxiliaryStartPin", &MakerSettings::auxiliaryStartPin},
    {"auxiliaryFinishPin", &MakerSettings::auxiliaryFinishPin},
    {"secondaryStartPin", &MakerSettings::secondaryStartPin},
    {"secondaryFinishPin", &MakerSettings::secondaryFinishPin},
}};

constexpr std::array<NumberField, 10> kNumbers{{
    {"inductanceTestFrequency", &MakerSettings::inductanceTestFrequency},
    {"inductanceTestVoltage", &MakerSettings::inductanceTestVoltage},
    {"inductanceTolerance", &MakerSettings::inductanceTolerance},
    {"alTolerance", &MakerSettings::alTolerance},
    {"leakageLimit", &MakerSettings::leakageLimit},
    {"hipotPrimarySecondary", &MakerSettings::hipotPrimarySecondary},
    {"hipotPrimaryCore", &MakerSettings::hipotPrimaryCore},
    {"hipotDuration", &MakerSettings::hipotDuration},
    {"insulationTestVoltage", &MakerSettings::insulationTestVoltage},
    {"insulationResistanceMin", &MakerSettings::insulationResistanceMin},
}};

constexpr std::array<TextField, 3> kTexts{{
    {"revision", &MakerSettings::revision},
    {"drawnBy", &MakerSettings::drawnBy},
    {"checkedBy", &MakerSettings::checkedBy},
}};

constexpr int kHighestPin = 999;
constexpr std::size_t kLongestText = 60;

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

// A text that is not UTF-8 would make the whole file unwritable: its bad bytes become U+FFFD,
// and reading refuses what does not belong in a title block anyway.
OrderedJson textJson(const std::string& text) {
    return OrderedJson::parse(OrderedJson(text).dump(-1, ' ', false, OrderedJson::error_handler_t::replace));
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
            return designFileSays(language, "a text");
        case Json::value_t::boolean:
            return value.get<bool>() ? "true" : "false";
        default:
            return value.dump();
    }
}

std::optional<MakerSettingsRefusal> readPin(const Json& value, std::string_view name, int& pin,
                                            Language language) {
    const auto refuse = [&](std::string_view english, std::initializer_list<std::string_view> values = {}) {
        return MakerSettingsRefusal{std::string(name), designFileSays(language, english, values)};
    };
    if (!value.is_number_integer())
        return refuse("expected a whole number, found %s", {typeText(value, language)});
    const bool inRange = value.is_number_unsigned()
                             ? value.get<std::uint64_t>() >= 1 && value.get<std::uint64_t>() <= kHighestPin
                             : value.get<std::int64_t>() >= 1 && value.get<std::int64_t>() <= kHighestPin;
    if (!inRange) return refuse("%s is no pin number (1 to %s)", {value.dump(), std::to_string(kHighestPin)});
    pin = value.get<int>();
    return std::nullopt;
}

std::optional<MakerSettingsRefusal> readNumber(const Json& value, std::string_view name, float& number,
                                               Language language) {
    const auto refuse = [&](std::string_view english, std::initializer_list<std::string_view> values = {}) {
        return MakerSettingsRefusal{std::string(name), designFileSays(language, english, values)};
    };
    if (!value.is_number()) return refuse("expected a number, found %s", {typeText(value, language)});
    const double read = value.get<double>();
    const auto single = static_cast<float>(read);
    if (!std::isfinite(read) || !std::isfinite(single))
        return refuse("not a finite number in single precision: %s", {value.dump()});
    if (!(single > 0)) return refuse("%s is not above zero", {value.dump()});
    number = single;
    return std::nullopt;
}

std::optional<MakerSettingsRefusal> readText(const Json& value, std::string_view name, std::string& text,
                                             Language language) {
    const auto refuse = [&](std::string_view english, std::initializer_list<std::string_view> values = {}) {
        return MakerSettingsRefusal{std::string(name), designFileSays(language, english, values)};
    };
    if (!value.is_string()) return refuse("expected a text, found %s", {typeText(value, language)});
    const auto& read = value.get_ref<const std::string&>();
    if (read.size() > kLongestText) return refuse("longer than %s bytes", {std::to_string(kLongestText)});
    if (std::any_of(read.begin(), read.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; }))
        return refuse("holds a control character");
    text = read;
    return std::nullopt;
}

template <typename Fields>
bool known(const Fields& fields, std::string_view key) {
    return std::any_of(fields.begin(), fields.end(), [key](const auto& f) { return f.name == key; });
}

}  // namespace

OrderedJson makerSettingsJson(const MakerSettings& settings) {
    OrderedJson object = OrderedJson::object();
    for (const PinField& field : kPins) object[field.name] = settings.*field.member;
    for (const NumberField& field : kNumbers) object[field.name] = floatJson(settings.*field.member);
    for (const TextField& field : kTexts) object[field.name] = textJson(settings.*field.member);
    return object;
}

std::optional<MakerSettingsRefusal> readMakerSettings(const Json& object, MakerSettings& settings,
                                                      Language language) {
    if (!object.is_object())
        return MakerSettingsRefusal{
            {}, designFileSays(language, "expected an object, found %s", {typeText(object, language)})};
    const auto missing = [language](std::string_view name) {
        return MakerSettingsRefusal{std::string(name), designFileSays(language, "missing")};
    };
    for (const PinField& field : kPins) {
        const auto it = object.find(field.name);
        if (it == object.end()) return missing(field.name);
        if (auto refusal = readPin(*it, field.name, settings.*field.member, language)) return refusal;
    }
    for (const NumberField& field : kNumbers) {
        const auto it = object.find(field.name);
        if (it == object.end()) return missing(field.name);
        if (auto refusal = readNumber(*it, field.name, settings.*field.member, language)) return refusal;
    }
    for (const TextField& field : kTexts) {
        const auto it = object.find(field.name);
        if (it == object.end()) return missing(field.name);
        if (auto refusal = readText(*it, field.name, settings.*field.member, language)) return refusal;
    }
    for (const auto& [key, value] : object.items()) {
        if (!known(kPins, key) && !known(kNumbers, key) && !known(kTexts, key))
            return MakerSettingsRefusal{key, designFileSays(language, "unknown member")};
    }
    return std::nullopt;
}

}  // namespace quillmere
