#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "engine/catalogue_files.h"
#include "tests/temp_folder.h"

using namespace quillmere;

namespace {

using ::testing::HasSubstr;

// A user's core as docs/catalogue.md shows it, with only what a user must give.
const char* const kOwnCore = R"({"cores": [
  {"name": "EE19 own", "family": "E", "Ae": 22.7, "le": 39.4, "Ve": 895,
   "bobbins": [{"name": "B1", "slotWidth": 11.2, "slotDepth": 2.9}]}
]})";

const char* const kOwnMaterial = R"({"materials": [
  {"name": "PX90", "Bsat25C_T": 0.52, "Bsat100C_T": 0.41,
   "steinmetz": [{"fMin": 1, "fMax": 200000, "k": 5.5, "alpha": 1.5, "beta": 2.6,
                  "ct0": 1.4, "ct1": 0.012, "ct2": 0.00006}]}
]})";

void write(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> texts(const std::vector<CatalogueMessage>& messages) {
    std::vector<std::string> out;
    for (const auto& m : messages) out.push_back(m.text());
    return out;
}

TEST(CatalogueFiles, AUsersOwnCoreAndMaterialJoinTheBuiltInOnes) {
    const CoreCatalogue& builtIn = CoreCatalogue::builtIn();
    const CatalogueLoad withCore = addCatalogueText(builtIn, kOwnCore, "cores.json");
    EXPECT_TRUE(withCore.messages.empty()) << ::testing::PrintToString(texts(withCore.messages));
    EXPECT_EQ(withCore.catalogue.cores().size(), builtIn.cores().size() + 1);
    const CoreShape* own = withCore.catalogue.findCore("ee19 OWN");
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->source, "cores.json");
    EXPECT_DOUBLE_EQ(own->ae, 22.7);
    EXPECT_DOUBLE_EQ(own->le, 39.4);
    EXPECT_DOUBLE_EQ(own->ve, 895);
    EXPECT_FALSE(own->window);
    EXPECT_FALSE(own->halfWindowHeight());
    ASSERT_NE(own->defaultBobbin(), nullptr);  // not named: the first plausible one
    EXPECT_DOUBLE_EQ(own->defaultBobbin()->slotWidth, 11.2);
    EXPECT_EQ(withCore.catalogue.findCore("ETD 29/16/10")->source, "");

    const CatalogueLoad withMaterial = addCatalogueText(withCore.catalogue, kOwnMaterial, "materials.json");
    EXPECT_TRUE(withMaterial.messages.empty());
    const Material* px90 = withMaterial.catalogue.findMaterial("px90");
    ASSERT_NE(px90, nullptr);
    EXPECT_DOUBLE_EQ(px90->bsat100C, 0.41);
    EXPECT_DOUBLE_EQ(px90->steinmetz.at(0).ct2, 0.00006);
    EXPECT_EQ(withMaterial.catalogue.defaultMaterial()->name, "N87");
}

TEST(CatalogueFiles, OptionalPartsOfAUsersCore) {
    const CatalogueLoad load = addCatalogueText(CoreCatalogue{}, R"({"cores": [
      {"name": "X", "family": "PQ", "Ae": 1, "le": 2, "Ve": 2, "Amin": 0.9,
       "dimensions": {"D": 3.1, "F": 2},
       "window": {"width": 1.5, "height": 6.0},
       "centreLeg": {"kind": "oblong", "width": 2, "depth": 5},
       "boundingBox": {"width": 10, "height": 8, "depth": 6},
       "bobbins": [{"name": "odd", "slotWidth": 1, "slotDepth": 1, "plausible": false},
                   {"name": "fits", "reference": "R-1", "slotWidth": 5, "slotDepth": 1.2,
                    "column": {"halfWidth": 1.2, "halfDepth": 2.7}}],
       "defaultBobbin": null}]})",
                                                "own.json");
    ASSERT_TRUE(load.messages.empty()) << ::testing::PrintToString(texts(load.messages));
    const CoreShape& core = load.catalogue.cores().at(0);
    EXPECT_EQ(core.halfWindowHeight(), 3.1);  // D wins over half the window height
    EXPECT_EQ(core.dimension("F"), 2.0);
    EXPECT_FALSE(core.dimension("f"));
    ASSERT_TRUE(core.centreLeg);
    EXPECT_DOUBLE_EQ(core.centreLeg->area, std::numbers::pi + 3 * 2);  // computed when not given
    EXPECT_DOUBLE_EQ(core.boundingBox->surfaceArea(), 2 * (80 + 48 + 60));
    EXPECT_EQ(core.defaultBobbin(), nullptr);  // null: the core has no default bobbin
    const Bobbin* fits = core.findBobbin("r-1");
    ASSERT_NE(fits, nullptr);
    ASSERT_TRUE(fits->column);
    EXPECT_FALSE(fits->column->round);
    EXPECT_DOUBLE_EQ(fits->column->width, 2.4);
    EXPECT_EQ(fits->column->depth, 5.4);

    // Without "defaultBobbin" the first plausible bobbin is the default.
    const CatalogueLoad unnamed = addCatalogueText(CoreCatalogue{}, R"({"cores": [
      {"name": "X", "family": "PQ", "Ae": 1, "le": 2, "Ve": 2,
       "bobbins": [{"name": "odd", "slotWidth": 1, "slotDepth": 1, "plausible": false},
                   {"name": "fits", "slotWidth": 5, "slotDepth": 1.2}]}]})",
                                                   "own.json");
    ASSERT_TRUE(unnamed.messages.empty());
    EXPECT_EQ(unnamed.catalogue.cores().at(0).defaultBobbin()->name, "fits");
}

// Each damaged file is refused whole, its message naming the file and the entry, and the
// catalogue stays what it was.
TEST(CatalogueFiles, DamagedFilesAreRefusedNamingFileAndEntry) {
    const struct {
        const char* what;
        const char* text;
        const char* message;  // the first message, whole
    } cases[] = {
        {"not JSON", "{\"cores\": [\n  {\"name\": \"A\",}\n]}",
         "cores.json: not valid JSON (line 2, column 16)"},
        {"empty", "", "cores.json: not valid JSON (line 1, column 1)"},
        {"a list", "[]", "cores.json: is not a JSON object with \"cores\" or \"materials\""},
        {"neither list", R"({"core": []})", "cores.json: holds neither \"cores\" nor \"materials\""},
        {"cores not a list", R"({"cores": {}})", "cores.json: \"cores\" is not a list"},
        {"entry not an object", R"({"cores": [3]})", "cores.json: core #1: is not an object"},
        {"missing field",
         R"({"cores": [{"name": "EE19", "family": "E", "Ae": 22.7, "Ve": 895,
             "bobbins": [{"name": "B", "slotWidth": 1, "slotDepth": 1}]}]})",
         "cores.json: core \"EE19\": le is missing"},
        {"null field",
         R"({"cores": [{"name": "EE19", "family": "E", "Ae": 22.7, "le": null, "Ve": 895,
             "bobbins": []}]})",
         "cores.json: core \"EE19\": le is missing"},
        {"negative Ae",
         R"({"cores": [{"name": "EE19", "family": "E", "Ae": -22.7, "le": 39.4, "Ve": 895, "bobbins": []}]})",
         "cores.json: core \"EE19\": Ae must be above zero"},
        {"zero Ve",
         R"({"cores": [{"name": "EE19", "family": "E", "Ae": 22.7, "le": 39.4, "Ve": 0, "bobbins": []}]})",
         "cores.json: core \"EE19\": Ve must be above zero"},
        {"wrong type",
         R"({"cores": [{"name": "EE19", "family": "E", "Ae": "22.7", "le": 39.4, "Ve": 895, "bobbins": []}]})",
         "cores.json: core \"EE19\": Ae is not a number"},
        {"boolean as number",
         R"({"cores": [{"name": "EE19", "family": "E", "Ae": true, "le": 39.4, "Ve": 895, "bobbins": []}]})",
         "cores.json: core \"EE19\": Ae is not a number"},
        {"nameless", R"({"cores": [{"family": "E", "Ae": 1, "le": 1, "Ve": 1, "bobbins": []}]})",
         "cores.json: core #1: name is missing"},
        {"name not a text",
         R"({"cores": [{"name": 19, "family": "E", "Ae": 1, "le": 1, "Ve": 1, "bobbins": []}]})",
         "cores.json: core #1: name is not a text"},
        {"bobbins missing", R"({"cores": [{"name": "EE19", "family": "E", "Ae": 1, "le": 1, "Ve": 1}]})",
         "cores.json: core \"EE19\": bobbins is missing"},
        {"bobbin slot",
         R"({"cores": [{"name": "EE19", "family": "E", "Ae": 1, "le": 1, "Ve": 1,
             "bobbins": [{"name": "B1", "slotWidth": 5, "slotDepth": -1}]}]})",
         "cores.json: core \"EE19\": bobbin \"B1\": slotDepth must be above zero"},
        {"unknown default bobbin",
         R"({"cores": [{"name": "EE19", "family": "E", "Ae": 1, "le": 1, "Ve": 1, "defaultBobbin": "B2",
             "bobbins": [{"name": "B1", "slotWidth": 5, "slotDepth": 1}]}]})",
         "cores.json: core \"EE19\": defaultBobbin \"B2\" is not one of its bobbins"},
        {"column without size",
         R"({"cores": [{"name": "EE19", "family": "E", "Ae": 1, "le": 1, "Ve": 1,
             "bobbins": [{"name": "B1", "slotWidth": 5, "slotDepth": 1, "column": {}}]}]})",
         "cores.json: core \"EE19\": bobbin \"B1\": column needs radius or halfWidth"},
        {"window part",
         R"({"cores": [{"name": "EE19", "family": "E", "Ae": 1, "le": 1, "Ve": 1, "window": {"width": 2},
             "bobbins": []}]})",
         "cores.json: core \"EE19\": window.height is missing"},
        {"leg kind",
         R"({"cores": [{"name": "EE19", "family": "E", "Ae": 1, "le": 1, "Ve": 1, "centreLeg": {"kind": "square"},
             "bobbins": []}]})",
         "cores.json: core \"EE19\": centreLeg.kind must be \"round\", \"rectangular\" or \"oblong\""},
        {"duplicate name in the file", R"({"cores": [
            {"name": "EE19", "family": "E", "Ae": 1, "le": 1, "Ve": 1, "bobbins": []},
            {"name": "ee 19", "family": "E", "Ae": 1, "le": 1, "Ve": 1, "bobbins": []}]})",
         "cores.json: core \"ee 19\": the name is given twice in this file"},
        {"built-in name",
         R"({"cores": [{"name": "etd 29/16/10", "family": "E", "Ae": 1, "le": 1, "Ve": 1, "bobbins": []}]})",
         "cores.json: core \"etd 29/16/10\": the name is already taken by a core from the built-in "
         "catalogue"},
        {"material without Bsat",
         R"({"materials": [{"name": "M1", "Bsat25C_T": 0.5, "steinmetz": [
             {"fMin": 1, "fMax": 2, "k": 1, "alpha": 1, "beta": 2, "ct0": 1, "ct1": 0, "ct2": 0}]}]})",
         "cores.json: material \"M1\": Bsat100C_T is missing"},
        {"Bsat in mT",
         R"({"materials": [{"name": "M1", "Bsat25C_T": 490, "Bsat100C_T": 0.39, "steinmetz": [
             {"fMin": 1, "fMax": 2, "k": 1, "alpha": 1, "beta": 2, "ct0": 1, "ct1": 0, "ct2": 0}]}]})",
         "cores.json: material \"M1\": Bsat25C_T must be given in tesla (at most 3)"},
        {"empty name",
         R"({"cores": [{"name": " ", "family": "E", "Ae": 1, "le": 1, "Ve": 1, "bobbins": []}]})",
         "cores.json: core #1: name is empty"},
        {"material without ranges",
         R"({"materials": [{"name": "M1", "Bsat25C_T": 0.5, "Bsat100C_T": 0.4, "steinmetz": []}]})",
         "cores.json: material \"M1\": steinmetz holds no range"},
        {"ranges out of order",
         R"({"materials": [{"name": "M1", "Bsat25C_T": 0.5, "Bsat100C_T": 0.4, "steinmetz": [
             {"fMin": 100, "fMax": 200, "k": 1, "alpha": 1, "beta": 2, "ct0": 1, "ct1": 0, "ct2": 0},
             {"fMin": 1, "fMax": 100, "k": 1, "alpha": 1, "beta": 2, "ct0": 1, "ct1": 0, "ct2": 0}]}]})",
         "cores.json: material \"M1\": steinmetz range #2: fMin must be above the previous range's (ranges "
         "go up in "
         "frequency)"},
        {"range upside down",
         R"({"materials": [{"name": "M1", "Bsat25C_T": 0.5, "Bsat100C_T": 0.4, "steinmetz": [
             {"fMin": 100, "fMax": 10, "k": 1, "alpha": 1, "beta": 2, "ct0": 1, "ct1": 0, "ct2": 0}]}]})",
         "cores.json: material \"M1\": steinmetz range #1: fMax must be above fMin"},
        {"range coefficient",
         R"({"materials": [{"name": "M1", "Bsat25C_T": 0.5, "Bsat100C_T": 0.4, "steinmetz": [
             {"fMin": 1, "fMax": 10, "k": 1, "alpha": 1, "beta": 2, "ct0": 1, "ct2": 0}]}]})",
         "cores.json: material \"M1\": steinmetz range #1: ct1 is missing"},
        {"built-in material",
         R"({"materials": [{"name": "n87", "Bsat25C_T": 0.5, "Bsat100C_T": 0.4, "steinmetz": [
             {"fMin": 1, "fMax": 10, "k": 1, "alpha": 1, "beta": 2, "ct0": 1, "ct1": 0, "ct2": 0}]}]})",
         "cores.json: material \"n87\": the name is already taken by a material from the built-in catalogue"},
        {"member twice",
         R"({"cores": [{"name": "EE19", "family": "E", "Ae": 22.7, "le": 39.4, "Ve": 895, "Ae": 2.27, "bobbins": []}]})",
         "cores.json: the member \"Ae\" is given twice in one object"},
        {"number beyond a double", R"({"cores": [{"name": "EE19", "family": "E", "Ae": 1e999}]})",
         "cores.json: holds a number out of range"},
    };
    const CoreCatalogue& builtIn = CoreCatalogue::builtIn();
    for (const auto& c : cases) {
        const CatalogueLoad load = addCatalogueText(builtIn, c.text, "cores.json");
        ASSERT_FALSE(load.messages.empty()) << c.what;
        EXPECT_EQ(load.messages.front().text(), c.message) << c.what;
        EXPECT_EQ(load.refusedFiles, std::vector<std::string>{"cores.json"}) << c.what;
        EXPECT_EQ(load.catalogue.cores().size(), builtIn.cores().size()) << c.what;
        EXPECT_EQ(load.catalogue.materials().size(), builtIn.materials().size()) << c.what;
        EXPECT_NE(load.catalogue.findCore("ETD 29/16/10"), nullptr) << c.what;
    }
}

TEST(CatalogueFiles, OneBadEntryRefusesTheGoodOnesOfItsFileAndEveryProblemIsListed) {
    const CatalogueLoad load = addCatalogueText(CoreCatalogue::builtIn(), R"({"cores": [
        {"name": "good", "family": "E", "Ae": 1, "le": 1, "Ve": 1, "bobbins": []},
        {"name": "bad", "family": "E", "Ae": -1, "Ve": 1, "bobbins": []}]})",
                                                "mine.json");
    EXPECT_EQ(texts(load.messages),
              (std::vector<std::string>{"mine.json: core \"bad\": Ae must be above zero",
                                        "mine.json: core \"bad\": le is missing"}));
    EXPECT_EQ(load.catalogue.findCore("good"), nullptr);

    // A file with a thousand bad entries says twenty things and that there is more.
    std::string many = R"({"cores": [)";
    for (int i = 0; i < 1000; ++i) many += std::string(i ? "," : "") + "{}";
    many += "]}";
    const CatalogueLoad flood = addCatalogueText(CoreCatalogue::builtIn(), many, "many.json");
    ASSERT_EQ(flood.messages.size(), 21u);
    EXPECT_EQ(flood.messages.back().text(), "many.json: more problems not listed");
}

TEST(CatalogueFiles, FilesAreReadInOrderAndABadOneLeavesTheOthers) {
    const TempFolder folder;
    write(folder.path() / "cores.json", kOwnCore);
    write(folder.path() / "again.json", kOwnCore);  // the same name a second time
    write(folder.path() / "materials.json", kOwnMaterial);
    write(folder.path() / "broken.json", "{");

    const CatalogueLoad load = loadCatalogue({{folder.path() / "cores.json", false},
                                              {folder.path() / "again.json", true},
                                              {folder.path() / "missing.json", false},
                                              {folder.path() / "broken.json", false},
                                              {folder.path() / "materials.json", false},
                                              {folder.path() / "absent.json", true},
                                              {folder.path(), true}});
    const std::string cores = folder / "cores.json";
    EXPECT_EQ(
        texts(load.messages),
        (std::vector<std::string>{
            folder / "again.json" + ": core \"EE19 own\": the name is already taken by a core from " + cores,
            folder / "broken.json" + ": not valid JSON (line 1, column 2)",
            folder / "absent.json" + ": no such file",
            folder.path().string() + ": is a folder, not a catalogue file",
        }));
    EXPECT_EQ(load.refusedFiles, (std::vector<std::string>{folder / "again.json", folder / "broken.json",
                                                           folder / "absent.json", folder.path().string()}));
    ASSERT_NE(load.catalogue.findCore("EE19 own"), nullptr);
    EXPECT_EQ(load.catalogue.findCore("EE19 own")->source, cores);
    EXPECT_NE(load.catalogue.findMaterial("PX90"), nullptr);
    EXPECT_EQ(load.catalogue.cores().size(), CoreCatalogue::builtIn().cores().size() + 1);
}

TEST(CatalogueFiles, AFileOverTheLimitIsNotRead) {
    const TempFolder folder;
    const auto path = folder.path() / "huge.json";
    {
        std::ofstream out(path, std::ios::binary);
        out << R"({"cores": [])";
        out << std::string(kCatalogueFileMaxBytes, ' ') << "}";
    }
    const CatalogueLoad load = loadCatalogue({{path, false}});
    EXPECT_EQ(texts(load.messages),
              std::vector<std::string>{path.string() + ": larger than " +
                                       std::to_string(kCatalogueFileMaxBytes) + " bytes"});
}

TEST(CatalogueFiles, UserFolderFollowsXdg) {
    const struct {
        const char* xdg;
        const char* home;
        std::optional<std::string> folder;
    } cases[] = {
        {"/x/conf", "/home/u", "/x/conf/quillmere"},
        {nullptr, "/home/u", "/home/u/.config/quillmere"},
        {"", "/home/u", "/home/u/.config/quillmere"},
        {"relative/conf", "/home/u", "/home/u/.config/quillmere"},  // relative: ignored
        {"/x/conf", nullptr, "/x/conf/quillmere"},
        {nullptr, nullptr, std::nullopt},
        {"", "", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto folder = userCatalogueFolder(c.xdg, c.home);
        EXPECT_EQ(folder ? std::optional(folder->string()) : std::nullopt, c.folder)
            << (c.xdg ? c.xdg : "(unset)") << " " << (c.home ? c.home : "(unset)");
    }
    const auto files = userCatalogueFiles("/x/conf/quillmere");
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].path, "/x/conf/quillmere/cores.json");
    EXPECT_EQ(files[1].path, "/x/conf/quillmere/materials.json");
    EXPECT_FALSE(files[0].required || files[1].required);
}

TEST(CatalogueFiles, AnEmptyUserFolderGivesTheBuiltInCatalogue) {
    const TempFolder folder;
    const CatalogueLoad load = loadCatalogue(userCatalogueFiles(folder.path()));
    EXPECT_TRUE(load.messages.empty());
    EXPECT_TRUE(load.refusedFiles.empty());
    EXPECT_EQ(load.catalogue.cores().size(), CoreCatalogue::builtIn().cores().size());
}

}  // namespace
