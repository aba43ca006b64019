#include "engine/core_selection.h"

#include <algorithm>

#include "engine/nearest_names.h"

namespace quillmere {

namespace {

CoreResolution failed(std::string what, std::string name, std::vector<std::string> nearest) {
    CoreResolution result;
    result.what = std::move(what);
    result.name = std::move(name);
    result.nearest = std::move(nearest);
    return result;
}

std::optional<std::size_t> bobbinIndexOf(const CoreShape& core, const Bobbin* bobbin) {
    if (!bobbin) return std::nullopt;
    return static_cast<std::size_t>(bobbin - core.bobbins.data());
}

// The bobbin of `choice` on `core`, or nothing when the named one is not there.
std::optional<std::size_t> chosenBobbin(const CoreShape& core, const CoreChoice& choice) {
    if (choice.bobbin.empty()) return bobbinIndexOf(core, core.defaultBobbin());
    if (choice.bobbinIndex && *choice.bobbinIndex < core.bobbins.size() &&
        core.bobbins[*choice.bobbinIndex].name == choice.bobbin)
        return choice.bobbinIndex;
    return bobbinIndexOf(core, core.findBobbin(choice.bobbin));
}

const Material* chosenMaterial(const std::string& name, const CoreCatalogue& catalogue) {
    return name.empty() ? catalogue.defaultMaterial() : catalogue.findMaterial(name);
}

CoreContext contextOf(const CoreShape& core, std::size_t bobbinIndex, const Material& material) {
    return {core, core.bobbins[bobbinIndex], bobbinIndex, material};
}

CoreResolution materialFailure(const std::string& name, const CoreCatalogue& catalogue) {
    return failed("material", name, catalogue.nearestMaterialNames(name));
}

}  // namespace

CoreResolution resolveCore(const CoreChoice& choice, const CoreCatalogue& catalogue) {
    const CoreShape* core = catalogue.findCore(choice.core);
    if (!core) return failed("core", choice.core, catalogue.nearestCoreNames(choice.core));
    const auto bobbin = chosenBobbin(*core, choice);
    if (!bobbin) {
        std::vector<std::string> names;
        for (const Bobbin& each : core->bobbins) names.push_back(each.name);
        return failed("bobbin", choice.bobbin, nearestNames(choice.bobbin, names, 3));
    }
    const Material* material = chosenMaterial(choice.material, catalogue);
    if (!material) return materialFailure(choice.material, catalogue);
    CoreResolution result;
    result.context = contextOf(*core, *bobbin, *material);
    return result;
}

CoreSetResolution resolveCoreSet(const CoreSetChoice& set, const CoreCatalogue& catalogue) {
    CoreSetResolution result;
    const Material* material = chosenMaterial(set.material, catalogue);
    if (!material) {
        result.failure = materialFailure(set.material, catalogue);
        return result;
    }
    std::vector<const CoreShape*> shapes;
    if (set.cores.empty()) {
        shapes = catalogue.cores(set.filter());
    } else {
        for (const std::string& name : set.cores) {
            const CoreShape* core = catalogue.findCore(name);
            if (!core) {
                result.failure = failed("core", name, catalogue.nearestCoreNames(name));
                return result;
            }
            if (std::ranges::find(shapes, core) == shapes.end()) shapes.push_back(core);
        }
        // Catalogue order, whatever order the names came in: the merge's ties depend on it.
        const auto& all = catalogue.cores();
        std::ranges::sort(shapes, {}, [&](const CoreShape* core) { return core - all.data(); });
    }
    for (const CoreShape* core : shapes)
        if (const auto bobbin = bobbinIndexOf(*core, core->defaultBobbin()))
            result.cores.push_back(contextOf(*core, *bobbin, *material));
    return result;
}

DesignInputs withCore(DesignInputs inputs, const CoreContext& core) {
    inputs.coreAe = static_cast<float>(core.core.ae);
    inputs.slotWidth = static_cast<float>(core.bobbin.slotWidth);
    inputs.slotDepth = static_cast<float>(core.bobbin.slotDepth);
    return inputs;
}

CoreChoice choiceOf(const CoreContext& core) {
    return {core.core.name, core.bobbin.name, core.bobbinIndex, core.material.name};
}

CoreSetResolution searchedCores(const Design& design, const CoreCatalogue& catalogue) {
    if (design.coreSet) return resolveCoreSet(*design.coreSet, catalogue);
    CoreSetResolution result;
    if (!design.core) return result;
    CoreResolution core = resolveCore(*design.core, catalogue);
    if (core)
        result.cores.push_back(std::move(*core.context));
    else
        result.failure = std::move(core);
    return result;
}

}  // namespace quillmere
