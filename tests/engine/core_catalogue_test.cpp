#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "engine/builtin_catalogue_text.h"
#include "engine/catalogue_reader.h"
#include "engine/core_catalogue.h"
#include "engine/nearest_names.h"

using namespace quillmere;

namespace {

const CoreCatalogue& builtIn() {
    return CoreCatalogue::builtIn();
}

CoreFilter familyFilter(std::string family, bool plausibleOnly = true) {
    CoreFilter filter;
    filter.family = std::move(family);
    filter.plausibleOnly = plausibleOnly;
    return filter;
}

CoreFilter aeVeFilter(std::string family, std::optional<double> minAe, std::optional<double> maxAe,
                      std::optional<double> minVe, std::optional<double> maxVe) {
    CoreFilter filter = familyFilter(std::move(family));
    filter.minAe = minAe;
    filter.maxAe = maxAe;
    filter.minVe = minVe;
    filter.maxVe = maxVe;
    return filter;
}

TEST(CoreCatalogue, BuiltInTextsReadWithoutAMessage) {
    CoreCatalogue catalogue;
    const auto cores = CatalogueBuilder::add(catalogue, builtInCoresText(), "cores.json", "");
    for (const auto& m : cores) ADD_FAILURE() << m.text();
    const auto materials = CatalogueBuilder::add(catalogue, builtInMaterialsText(), "materials.json", "");
    for (const auto& m : materials) ADD_FAILURE() << m.text();
    // The counts res/catalogue/README.md gives.
    EXPECT_EQ(catalogue.cores().size(), 366u);
    EXPECT_EQ(catalogue.materials().size(), 59u);
    EXPECT_EQ(builtIn().cores().size(), 366u);
    EXPECT_EQ(builtIn().materials().size(), 59u);
}

// Against checks.md: the "computed" columns to the digits printed there, and the makers' figures
// within the largest deviation it reports (3.6 %).
TEST(CoreCatalogue, EffectiveParametersAgreeWithTheChecks) {
    const struct {
        const char* name;
        double ae, le, ve;                 // computed
        double sheetAe, sheetLe, sheetVe;  // datasheet
    } cases[] = {
        {"ETD 29/16/10", 76.5, 71.7, 5483, 76, 72, 5470},
        {"EFD 20/10/7", 30.7, 47.2, 1450, 31, 47, 1460},
        {"RM 8/I", 63.4, 38.2, 2426, 63, 38.4, 2440},
        {"E 13/7/4", 12.4, 29.7, 370, 12.4, 29.7, 369},
        {"E 14/3.5/5", 15.0, 20.7, 311, 14.5, 20.7, 300},
        {"E 18/4/10", 40.0, 24.3, 971, 39.5, 24.3, 960},
        {"E 22/6/16", 79.0, 32.5, 2564, 78.5, 32.5, 2550},
        {"E 32/6/20", 128.6, 41.8, 5374, 129, 41.7, 5380},
        {"E 38/8/25", 191.2, 52.8, 10099, 194, 52.6, 10200},
        {"E 43/10/28", 224.8, 61.6, 13847, 225, 61.7, 13900},
        {"E 58/11/38", 301.7, 81.3, 24520, 305, 81.2, 24600},
        {"E 64/10/50", 519.9, 79.9, 41540, 511, 79.7, 40700},
    };
    constexpr double kSheetTolerance = 0.036;
    for (const auto& c : cases) {
        const CoreShape* core = builtIn().findCore(c.name);
        ASSERT_NE(core, nullptr) << c.name;
        // checks.md rounds half away from zero, so the printed digit may sit a hair past 0.05.
        EXPECT_NEAR(core->ae, c.ae, 0.0501) << c.name;
        EXPECT_NEAR(core->le, c.le, 0.0501) << c.name;
        EXPECT_NEAR(core->ve, c.ve, 0.501) << c.name;
        EXPECT_LE(std::abs(core->ae / c.sheetAe - 1), kSheetTolerance) << c.name;
        EXPECT_LE(std::abs(core->le / c.sheetLe - 1), kSheetTolerance) << c.name;
        EXPECT_LE(std::abs(core->ve / c.sheetVe - 1), kSheetTolerance) << c.name;
        // Ve = Ae · le for the set, to the data's four significant digits.
        EXPECT_NEAR(core->ve, core->ae * core->le, core->ve * 2e-3) << c.name;
    }
}

TEST(CoreCatalogue, EveryCoreCanBeWoundSaveTheOneThatFitsNoBobbin) {
    std::vector<std::string> withoutBobbin;
    for (const CoreShape& core : builtIn().cores()) {
        SCOPED_TRACE(core.name);
        EXPECT_GT(core.ae, 0);
        EXPECT_GT(core.le, 0);
        EXPECT_GT(core.ve, 0);
        EXPECT_FALSE(core.family.empty());
        ASSERT_TRUE(core.window && core.centreLeg && core.boundingBox);
        EXPECT_GT(core.centreLeg->area, 0);
        EXPECT_GT(core.centreLeg->perimeter(), 0);
        ASSERT_TRUE(core.halfWindowHeight());
        EXPECT_DOUBLE_EQ(*core.halfWindowHeight() * 2, core.window->height);
        const Bobbin* bobbin = core.defaultBobbin();
        if (!bobbin) {
            withoutBobbin.push_back(core.name);
            continue;
        }
        EXPECT_GT(bobbin->slotWidth, 0);
        EXPECT_GT(bobbin->slotDepth, 0);
        EXPECT_TRUE(bobbin->plausible);
        // A plausible bobbin fits its core's window.
        EXPECT_LE(bobbin->slotWidth, core.window->height + 1e-9);
        EXPECT_LE(bobbin->slotDepth, core.window->width + 1e-9);
    }
    // res/catalogue/README.md: even the derived slot does not fit P 3.3/2.6.
    EXPECT_EQ(withoutBobbin, std::vector<std::string>{"P 3.3/2.6"});
}

TEST(CoreCatalogue, EveryMaterialHasBsatAndAscendingSteinmetzRanges) {
    for (const Material& material : builtIn().materials()) {
        SCOPED_TRACE(material.name);
        EXPECT_GT(material.bsat25C, 0.2);
        EXPECT_LT(material.bsat25C, 0.7);
        EXPECT_GT(material.bsat100C, 0.2);
        EXPECT_LT(material.bsat100C, material.bsat25C) << "ferrites saturate lower when hot";
        ASSERT_FALSE(material.steinmetz.empty());
        for (std::size_t i = 0; i < material.steinmetz.size(); ++i) {
            EXPECT_LT(material.steinmetz[i].fMin, material.steinmetz[i].fMax);
            if (i > 0) {
                EXPECT_LT(material.steinmetz[i - 1].fMin, material.steinmetz[i].fMin);
            }
        }
    }
}

// The data's own figure at 100 kHz, 100 mT, 100 °C: reads every coefficient of the range and picks
// the range as the data's makers did (a neighbouring range is 10 % or more off). The figure was
// computed from unrounded coefficients and differs by up to 0.11 % (N92).
TEST(CoreCatalogue, LossDensityAgreesWithTheDataItsCheckValue) {
    int checked = 0;
    for (const Material& material : builtIn().materials()) {
        if (!material.checkLossDensity) continue;
        ++checked;
        const double check = *material.checkLossDensity;
        EXPECT_NEAR(material.lossDensity(100e3, 0.1, 100) / 1000, check, std::max(0.0501, 2e-3 * check))
            << material.name;
    }
    EXPECT_EQ(checked, 53);
}

TEST(CoreCatalogue, SteinmetzRangeByFrequency) {
    Material m;
    m.steinmetz = {
        {1, 100e3, 1, 1, 2, 1, 0, 0}, {100e3, 300e3, 2, 1, 2, 1, 0, 0}, {300e3, 1e6, 3, 1, 2, 1, 0, 0}};
    const struct {
        double frequency;
        double k;
    } cases[] = {{0.5, 1}, {1, 1}, {100e3, 1}, {100e3 + 1, 2}, {300e3, 2}, {500e3, 3}, {1e6, 3}, {5e6, 3}};
    for (const auto& c : cases) EXPECT_EQ(m.rangeFor(c.frequency).k, c.k) << c.frequency;
    // Pv = k f^α B^β (ct0 − ct1 T + ct2 T²).
    Material hot;
    hot.steinmetz = {{1, 1e6, 2, 1.5, 2.5, 1.2, 0.01, 1e-4}};
    const double expected = 2 * std::pow(200e3, 1.5) * std::pow(0.08, 2.5) * (1.2 - 0.01 * 90 + 1e-4 * 8100);
    EXPECT_DOUBLE_EQ(hot.lossDensity(200e3, 0.08, 90), expected);
}

TEST(CoreCatalogue, DefaultMaterialIsN87) {
    const Material* material = builtIn().defaultMaterial();
    ASSERT_NE(material, nullptr);
    EXPECT_EQ(material->name, "N87");
    EXPECT_EQ(material->manufacturer, "TDK");
    EXPECT_DOUBLE_EQ(material->bsat100C, builtIn().findMaterial("n87")->bsat100C);
    EXPECT_EQ(CoreCatalogue{}.defaultMaterial(), nullptr);
}

TEST(CoreCatalogue, FindsCoresByNameSpellingAndAlias) {
    const struct {
        const char* query;
        const char* found;  // nullptr: none
    } cases[] = {
        {"ETD 29/16/10", "ETD 29/16/10"},
        {"etd 29/16/10", "ETD 29/16/10"},
        {"ETD29/16/10", "ETD 29/16/10"},
        {"  etd29/16/10 ", "ETD 29/16/10"},
        {"RM 6", "RM 6"},      // a name wins over another core's alias "RM 6"
        {"RM 5LP", "RM 5/8"},  // alias
        {"er 42", "ER 42"},    // name, though ER 42/22/15 has "ER 42" as alias
        {"ETD 29/16", nullptr},
        {"", nullptr},
        {"   ", nullptr},
    };
    for (const auto& c : cases) {
        const CoreShape* core = builtIn().findCore(c.query);
        if (!c.found) {
            EXPECT_EQ(core, nullptr) << c.query;
            continue;
        }
        ASSERT_NE(core, nullptr) << c.query;
        EXPECT_EQ(core->name, c.found) << c.query;
    }
}

TEST(CoreCatalogue, AnAliasOfTwoCoresNamesNeither) {
    // ER 35 and ER 35/20/11 share "ER 35/21/11".
    const CoreShape* a = builtIn().findCore("ER 35");
    const CoreShape* b = builtIn().findCore("ER 35/20/11");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(builtIn().findCore("ER 35/21/11"), nullptr);
}

TEST(CoreCatalogue, BobbinsByNameAndReference) {
    const CoreShape* rm4 = builtIn().findCore("RM 4");
    ASSERT_NE(rm4, nullptr);
    ASSERT_NE(rm4->defaultBobbin(), nullptr);
    EXPECT_EQ(rm4->defaultBobbin()->name, "Bobbin RM 4");
    EXPECT_TRUE(rm4->defaultBobbin()->maker.empty());
    const Bobbin* byReference = rm4->findBobbin("60200-132");
    ASSERT_NE(byReference, nullptr);
    EXPECT_EQ(byReference->maker, "Norwe");
    EXPECT_EQ(rm4->findBobbin("bobbin rm 4"), rm4->defaultBobbin());
    EXPECT_EQ(rm4->findBobbin("60200"), nullptr);
    ASSERT_TRUE(rm4->defaultBobbin()->column);
    EXPECT_TRUE(rm4->defaultBobbin()->column->round);
    EXPECT_DOUBLE_EQ(rm4->defaultBobbin()->column->diameter, 2 * 2.425);

    // Only a derived slot fits RM 5/8.
    const CoreShape* rm5lp = builtIn().findCore("RM 5/8");
    ASSERT_NE(rm5lp, nullptr);
    ASSERT_NE(rm5lp->defaultBobbin(), nullptr);
    EXPECT_TRUE(rm5lp->defaultBobbin()->derived);
    EXPECT_DOUBLE_EQ(rm5lp->defaultBobbin()->slotWidth, 2.6);
    EXPECT_DOUBLE_EQ(rm5lp->defaultBobbin()->slotDepth, 2.2);
}

TEST(CoreCatalogue, CentreLegPerimeterByShape) {
    const double pi = std::numbers::pi;
    const struct {
        CentreLeg leg;
        double perimeter;
    } cases[] = {
        {{LegShape::Round, 3.8, 0, 0, 2.05, 8.04}, pi * 3.8},
        {{LegShape::Rectangular, 0, 4, 6, 0, 24}, 20},
        {{LegShape::Oblong, 0, 4, 10, 0, 36.6}, pi * 4 + 12},
        {{LegShape::Oblong, 0, 4, 4, 0, 12.6}, pi * 4},  // a circle
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(c.leg.perimeter(), c.perimeter);
}

TEST(CoreCatalogue, FamiliesAndFilters) {
    const std::vector<std::string> families = builtIn().families();
    EXPECT_EQ(families,
              (std::vector<std::string>{"E", "E planar", "EC", "EFD", "EL planar", "EP", "EPX", "EQ", "ER",
                                        "ER planar", "ETD", "LP", "P", "PM", "PQ", "RM"}));
    EXPECT_TRUE(builtIn().hasFamily("etd"));
    EXPECT_FALSE(builtIn().hasFamily("ET"));

    // Counts of res/catalogue/README.md; five shapes are marked implausible.
    const struct {
        CoreFilter filter;
        std::size_t count;
    } cases[] = {
        {familyFilter("ETD"), 9},        {familyFilter("etd"), 9},  {familyFilter("E", false), 94},
        {familyFilter("EQ", false), 48}, {familyFilter("EQ"), 45},  {familyFilter("", false), 366},
        {familyFilter(""), 361},         {familyFilter("nope"), 0}, {aeVeFilter("", 1e6, {}, {}, {}), 0},
    };
    for (const auto& c : cases) EXPECT_EQ(builtIn().cores(c.filter).size(), c.count) << c.filter.family;

    // Bounds are inclusive and hold for every core returned, and no core in bounds is left out.
    const CoreShape* etd29 = builtIn().findCore("ETD 29/16/10");
    const CoreFilter exact = aeVeFilter("", etd29->ae, etd29->ae, etd29->ve, etd29->ve);
    const auto only = builtIn().cores(exact);
    ASSERT_FALSE(only.empty());
    EXPECT_NE(std::find(only.begin(), only.end(), etd29), only.end());

    const CoreFilter band = aeVeFilter("PQ", 50, 200, {}, 20000);
    std::size_t expected = 0;
    for (const CoreShape& core : builtIn().cores())
        if (core.family == "PQ" && core.plausible && core.ae >= 50 && core.ae <= 200 && core.ve <= 20000)
            ++expected;
    const auto inBand = builtIn().cores(band);
    EXPECT_EQ(inBand.size(), expected);
    EXPECT_GT(expected, 0u);
    for (const CoreShape* core : inBand) {
        EXPECT_EQ(core->family, "PQ");
        EXPECT_GE(core->ae, 50);
        EXPECT_LE(core->ae, 200);
        EXPECT_LE(core->ve, 20000);
    }
}

TEST(CoreCatalogue, NearestNamesForAMisspeltOne) {
    const struct {
        const char* query;
        std::vector<std::string> expected;
    } cases[] = {
        {"ETD 29/16/11", {"ETD 29/16/10"}},
        {"ETD29/16/1", {"ETD 29/16/10"}},
        {"EDT 29/16/10", {"ETD 29/16/10"}},
        {"xyzzy", {}},
        {"", {}},
    };
    for (const auto& c : cases) {
        const auto nearest = builtIn().nearestCoreNames(c.query, 1);
        EXPECT_EQ(nearest, c.expected) << c.query;
    }
    const auto three = builtIn().nearestCoreNames("PQ 20/17", 3);
    ASSERT_EQ(three.size(), 3u);
    EXPECT_NE(std::find(three.begin(), three.end(), "PQ 20/16"), three.end());
    for (const std::string& name : three) EXPECT_EQ(nameDistance(name, "PQ 20/17"), 1u) << name;

    EXPECT_EQ(builtIn().nearestMaterialNames("N87x", 3).front(), "N87");
    EXPECT_EQ(builtIn().nearestMaterialNames("N78", 1), std::vector<std::string>{"N72"});
    EXPECT_EQ(builtIn().nearestMaterialNames("3c95", 1), std::vector<std::string>{"3C95"});
}

TEST(NearestNames, DistanceIgnoresCaseAndSpacesAndCountsEdits) {
    const struct {
        const char* a;
        const char* b;
        std::size_t distance;
    } cases[] = {
        {"", "", 0},
        {"abc", "", 3},
        {"", "ab", 2},
        {"ETD 29", "etd29", 0},
        {"kitten", "sitting", 3},
        {"N87", "N78", 2},
        {"PQ 20/16", "PQ 20/20", 2},
        {"abc", "abd", 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(nameDistance(c.a, c.b), c.distance) << c.a << " / " << c.b;
        EXPECT_EQ(nameDistance(c.b, c.a), c.distance) << c.b << " / " << c.a;
    }
    // Nearest first, ties in the given order, no more than asked for.
    const std::vector<std::string> names{"abcd", "abce", "abcf", "abcdef", "zzzz"};
    EXPECT_EQ(nearestNames("abcd", names, 2), (std::vector<std::string>{"abcd", "abce"}));
    EXPECT_EQ(nearestNames("abcx", names, 5), (std::vector<std::string>{"abcd", "abce", "abcf"}));
}

}  // namespace
