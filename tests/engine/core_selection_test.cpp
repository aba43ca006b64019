#include <gtest/gtest.h>

#include "engine/core_selection.h"

using namespace quillmere;

namespace {

const CoreCatalogue& catalogue() {
    return CoreCatalogue::builtIn();
}

TEST(CoreSelection, ACoreResolvesWithItsDefaultsAndItsNumbersBecomeTheInputs) {
    const CoreResolution resolved = resolveCore({"etd29/16/10", "", std::nullopt, ""}, catalogue());
    ASSERT_TRUE(resolved);
    const CoreContext& core = *resolved.context;
    EXPECT_EQ(core.core.name, "ETD 29/16/10");
    EXPECT_EQ(core.material.name, "N87");
    EXPECT_EQ(&catalogue().findCore("ETD 29/16/10")->bobbins[core.bobbinIndex].name,
              &catalogue().findCore("ETD 29/16/10")->defaultBobbin()->name);

    DesignInputs inputs;
    inputs.outputVoltage = 12;
    const DesignInputs with = withCore(inputs, core);
    EXPECT_EQ(with.coreAe, static_cast<float>(core.core.ae));
    EXPECT_EQ(with.slotWidth, static_cast<float>(core.bobbin.slotWidth));
    EXPECT_EQ(with.slotDepth, static_cast<float>(core.bobbin.slotDepth));
    EXPECT_EQ(with.outputVoltage, 12.0f);

    const CoreChoice again = choiceOf(core);
    EXPECT_EQ(resolveCore(again, catalogue()).context->bobbinIndex, core.bobbinIndex);
}

TEST(CoreSelection, ABobbinIsKeptByIndexWhileItsNameStillMatches) {
    // ETD 29/16/10 has two bobbins of one name: the index tells them apart.
    const CoreShape* etd = catalogue().findCore("ETD 29/16/10");
    ASSERT_NE(etd, nullptr);
    std::optional<std::size_t> second;
    for (std::size_t i = 1; i < etd->bobbins.size() && !second; ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (etd->bobbins[i].name == etd->bobbins[j].name) second = i;
    ASSERT_TRUE(second) << "the data no longer has a repeated bobbin name";
    const std::string name = etd->bobbins[*second].name;
    EXPECT_EQ(resolveCore({etd->name, name, second, ""}, catalogue()).context->bobbinIndex, *second);
    // An index whose bobbin has another name is not trusted: the name decides.
    const auto byName = resolveCore({etd->name, name, etd->bobbins.size() + 5, ""}, catalogue());
    EXPECT_EQ(byName.context->bobbin.name, name);
    EXPECT_LT(byName.context->bobbinIndex, *second);
}

TEST(CoreSelection, UnknownNamesSayWhichAndSuggestTheNearest) {
    const struct {
        CoreChoice choice;
        const char* what;
        const char* nearest;
    } cases[] = {
        {{"ETD 29/16/11", "", std::nullopt, ""}, "core", "ETD 29/16/10"},
        {{"ETD 29/16/10", "Bobbin ETD 28", std::nullopt, ""}, "bobbin", "Bobbin ETD 29"},
        {{"ETD 29/16/10", "", std::nullopt, "N86"}, "material", "N87"},
        {{"nothing like it at all", "", std::nullopt, ""}, "core", nullptr},
    };
    for (const auto& each : cases) {
        const CoreResolution resolved = resolveCore(each.choice, catalogue());
        EXPECT_FALSE(resolved);
        EXPECT_EQ(resolved.what, each.what);
        if (each.nearest) {
            ASSERT_FALSE(resolved.nearest.empty()) << each.what;
            EXPECT_EQ(resolved.nearest.front(), each.nearest);
        } else {
            EXPECT_TRUE(resolved.nearest.empty());
        }
    }
}

TEST(CoreSelection, ASetIsInCatalogueOrderOnceEachWithinItsBounds) {
    CoreSetChoice named;
    named.cores = {"EP 17", "RM 5", "ep17", "E 16/7/5"};
    named.material = "3C95";
    const CoreSetResolution resolved = resolveCoreSet(named, catalogue());
    ASSERT_TRUE(resolved);
    ASSERT_EQ(resolved.cores.size(), 3u);
    const auto& all = catalogue().cores();
    const auto position = [&](const CoreContext& c) {
        return catalogue().findCore(c.core.name) - all.data();
    };
    EXPECT_LT(position(resolved.cores[0]), position(resolved.cores[1]));
    EXPECT_LT(position(resolved.cores[1]), position(resolved.cores[2]));
    for (const CoreContext& core : resolved.cores) EXPECT_EQ(core.material.name, "3C95");

    CoreSetChoice bounded;
    bounded.family = "etd";
    bounded.minAe = 70;
    bounded.maxAe = 130;
    const CoreSetResolution family = resolveCoreSet(bounded, catalogue());
    ASSERT_FALSE(family.cores.empty());
    for (const CoreContext& core : family.cores) {
        EXPECT_EQ(core.core.family, "ETD");
        EXPECT_GE(core.core.ae, 70);
        EXPECT_LE(core.core.ae, 130);
        EXPECT_EQ(core.material.name, "N87");
    }

    CoreSetChoice unknown;
    unknown.cores = {"EP 17", "EP 71"};
    EXPECT_EQ(resolveCoreSet(unknown, catalogue()).failure.name, "EP 71");
}

TEST(CoreSelection, ADesignSearchesItsSetElseItsCoreElseNone) {
    Design design;
    EXPECT_TRUE(searchedCores(design, catalogue()).cores.empty());
    design.core = CoreChoice{"EP 17", "", std::nullopt, ""};
    ASSERT_EQ(searchedCores(design, catalogue()).cores.size(), 1u);
    design.coreSet = CoreSetChoice{};
    design.coreSet->family = "RM";
    const auto set = searchedCores(design, catalogue());
    EXPECT_GT(set.cores.size(), 1u);
    for (const CoreContext& core : set.cores) EXPECT_EQ(core.core.family, "RM");
}

}  // namespace
