#include "engine/core_catalogue.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/builtin_catalogue_text.h"
#include "engine/catalogue_reader.h"
#include "engine/core_loss.h"
#include "engine/nearest_names.h"

namespace quillmere {

namespace {

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

template <typename Entry>
std::vector<std::string> namesOf(const std::vector<Entry>& entries) {
    std::vector<std::string> out;
    out.reserve(entries.size());
    for (const Entry& entry : entries) out.push_back(entry.name);
    return out;
}

}  // namespace

double CentreLeg::perimeter() const {
    constexpr double pi = std::numbers::pi;
    switch (shape) {
        case LegShape::Round:
            return pi * diameter;
        case LegShape::Rectangular:
            return 2 * (width + depth);
        case LegShape::Oblong:
            return pi * width + 2 * (depth - width);
    }
    return 0;
}

std::optional<double> CoreShape::dimension(std::string_view letter) const {
    for (const auto& [name, value] : dimensions)
        if (name == letter) return value;
    return std::nullopt;
}

std::optional<double> CoreShape::halfWindowHeight() const {
    if (const auto d = dimension("D")) return d;
    if (window) return window->height / 2;
    return std::nullopt;
}

const Bobbin* CoreShape::defaultBobbin() const {
    if (!defaultBobbinIndex || *defaultBobbinIndex >= bobbins.size()) return nullptr;
    return &bobbins[*defaultBobbinIndex];
}

const Bobbin* CoreShape::findBobbin(std::string_view nameOrReference) const {
    for (const Bobbin& bobbin : bobbins)
        if (equalIgnoringCase(bobbin.name, nameOrReference)) return &bobbin;
    for (const Bobbin& bobbin : bobbins)
        if (!bobbin.reference.empty() && equalIgnoringCase(bobbin.reference, nameOrReference)) return &bobbin;
    return nullptr;
}

SteinmetzRange Material::rangeFor(double frequency) const {
    return steinmetzRangeAt(steinmetz, frequency).value_or(SteinmetzRange{});
}

double Material::lossDensity(double frequency, double peakFlux, double temperature) const {
    const SteinmetzRange r = rangeFor(frequency);
    return r.k * std::pow(frequency, r.alpha) * std::pow(peakFlux, r.beta) *
           temperatureFactor(r, temperature);
}

const CoreCatalogue& CoreCatalogue::builtIn() {
    // The built-in texts are checked by the tests; were one damaged, its part would stay empty.
    static const CoreCatalogue catalogue = [] {
        CoreCatalogue out;
        CatalogueBuilder::add(out, builtInCoresText(), "cores.json (built-in)", "");
        CatalogueBuilder::add(out, builtInMaterialsText(), "materials.json (built-in)", "");
        return out;
    }();
    return catalogue;
}

const CoreShape* CoreCatalogue::findCore(std::string_view name) const {
    for (const CoreShape& core : cores_)
        if (equalIgnoringCase(core.name, name)) return &core;
    const std::string wanted = foldedName(name);
    if (wanted.empty()) return nullptr;
    for (const CoreShape& core : cores_)
        if (foldedName(core.name) == wanted) return &core;
    const CoreShape* byAlias = nullptr;
    for (const CoreShape& core : cores_)
        for (const std::string& alias : core.aliases)
            if (foldedName(alias) == wanted) {
                if (byAlias && byAlias != &core) return nullptr;  // an alias of two cores names neither
                byAlias = &core;
            }
    return byAlias;
}

std::vector<const CoreShape*> CoreCatalogue::cores(const CoreFilter& filter) const {
    std::vector<const CoreShape*> out;
    for (const CoreShape& core : cores_) {
        if (!filter.family.empty() && !equalIgnoringCase(core.family, filter.family)) continue;
        if (filter.plausibleOnly && !core.plausible) continue;
        if (filter.minAe && core.ae < *filter.minAe) continue;
        if (filter.maxAe && core.ae > *filter.maxAe) continue;
        if (filter.minVe && core.ve < *filter.minVe) continue;
        if (filter.maxVe && core.ve > *filter.maxVe) continue;
        out.push_back(&core);
    }
    return out;
}

std::vector<std::string> CoreCatalogue::families() const {
    std::vector<std::string> out;
    for (const CoreShape& core : cores_)
        if (std::find(out.begin(), out.end(), core.family) == out.end()) out.push_back(core.family);
    std::sort(out.begin(), out.end());
    return out;
}

bool CoreCatalogue::hasFamily(std::string_view family) const {
    return std::any_of(cores_.begin(), cores_.end(),
                       [&](const CoreShape& core) { return equalIgnoringCase(core.family, family); });
}

std::vector<std::string> CoreCatalogue::nearestCoreNames(std::string_view name, std::size_t count) const {
    return nearestNames(name, namesOf(cores_), count);
}

const Material* CoreCatalogue::findMaterial(std::string_view name) const {
    for (const Material& material : materials_)
        if (equalIgnoringCase(material.name, name)) return &material;
    const std::string wanted = foldedName(name);
    if (wanted.empty()) return nullptr;
    for (const Material& material : materials_)
        if (foldedName(material.name) == wanted) return &material;
    return nullptr;
}

const Material* CoreCatalogue::defaultMaterial() const {
    if (const Material* material = findMaterial(kDefaultMaterial)) return material;
    return materials_.empty() ? nullptr : &materials_.front();
}

std::vector<std::string> CoreCatalogue::nearestMaterialNames(std::string_view name, std::size_t count) const {
    return nearestNames(name, namesOf(materials_), count);
}

}  // namespace quillmere
