#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "engine/design_file.h"
#include "engine/solution_figure_text.h"
#include "tests/temp_folder.h"

using namespace quillmere;

namespace {

struct CliRun {
    int exitCode;
    std::string out;
};

// Runs the command line with a config folder of its own, so that no user catalogue intrudes.
CliRun runCli(const TempFolder& config, const std::string& args, bool withErrors = true) {
    const std::string command = "env -u QUILLMERE_LANG XDG_CONFIG_HOME=" + config.path().string() + " " +
                                QUILLMERE_CLI + " " + args + (withErrors ? " 2>&1" : " 2>/dev/null");
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    std::array<char, 4096> buf{};
    while (std::fgets(buf.data(), buf.size(), pipe)) out += buf.data();
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

constexpr const char* kEtd = "--core 'ETD 29/16/10'";
// The numbers the catalogue gives that core and its default bobbin.
constexpr const char* kEtdNumbers = "--core-ae 76.51 --slot-width 19 --slot-depth 4.8";

TEST(CliCores, UnknownNamesAndContradictionsExit2NamingTheNearest) {
    const TempFolder config;
    const struct {
        std::string args;
        const char* says;
        const char* alsoSays;
    } cases[] = {
        {"--core 'ETD 29/16/11'", "未知的磁芯：ETD 29/16/11", "你是指：ETD 29/16/10"},
        {"--core 'ETD 29/16/11' --lang en", "Unknown core: ETD 29/16/11", "Did you mean: ETD 29/16/10"},
        {std::string(kEtd) + " --bobbin 'Bobbin ETD 28' --lang en", "Unknown bobbin: Bobbin ETD 28",
         "Bobbin ETD 29"},
        {std::string(kEtd) + " --material N86", "未知的材质：N86", "N87"},
        {"--cores 'EP 17,EP 71' --lang en", "Unknown core: EP 71", "Did you mean"},
        {"--cores 'EP 17' --min-ae 10 --lang en", "--min-ae and --max-ae only bound", ""},
        {"--min-ae 10", "--min-ae 与 --max-ae", ""},
        {"--bobbin X --lang en", "--bobbin needs --core", ""},
        {"--material N87 --lang en", "--material needs --core", ""},
        {"--cores ETD --max-ae 1 --lang en", "No core to search in the chosen set: --cores ETD", ""},
        {"--cores all --min-ae -1", "--min-ae: -1", ""},
        {"--core ''", "--core: ", ""},
    };
    for (const auto& c : cases) {
        const CliRun run = runCli(config, c.args);
        EXPECT_EQ(run.exitCode, 2) << c.args << "\n" << run.out;
        EXPECT_NE(run.out.find(c.says), std::string::npos) << c.args << "\n" << run.out;
        EXPECT_NE(run.out.find(c.alsoSays), std::string::npos) << c.args << "\n" << run.out;
    }
}

TEST(CliCores, ACatalogueCoreAnalysesAsItsNumbersAndSaysWhichCoreInJson) {
    const TempFolder config;
    const auto core = nlohmann::json::parse(runCli(config, std::string(kEtd) + " --json").out);
    const auto custom = nlohmann::json::parse(runCli(config, std::string(kEtdNumbers) + " --json").out);
    EXPECT_EQ(core["solutionRecords"], custom["solutionRecords"]);
    EXPECT_FALSE(custom.contains("solutionFigures"));
    ASSERT_EQ(core["solutionFigures"].size(), core["solutionRecords"].size());
    ASSERT_FALSE(core["solutionFigures"].empty());
    const auto& figures = core["solutionFigures"][0];
    EXPECT_EQ(figures["core"], "ETD 29/16/10");
    EXPECT_EQ(figures["bobbin"], "Bobbin ETD 29");
    EXPECT_EQ(figures["material"], "N87");
    EXPECT_EQ(figures["aeMm2"], 76.51);
    EXPECT_GT(figures["leMm"].get<double>(), 0);
    EXPECT_GT(figures["veMm3"].get<double>(), 0);

    // A typed number wins and makes the core custom: the output is that of the numbers alone.
    const CliRun typed = runCli(config, std::string(kEtd) + " --slot-width 12 --json");
    const CliRun numbers = runCli(config, "--core-ae 76.51 --slot-width 12 --slot-depth 4.8 --json");
    EXPECT_EQ(typed.out, numbers.out);

    // The CSV gains the core's columns only with a catalogue core.
    const std::string csv = runCli(config, std::string(kEtd) + " --format csv").out;
    EXPECT_NE(csv.find(",Fill4,磁芯,骨架,材质,coreLossW,"), std::string::npos) << csv;
    EXPECT_NE(csv.find(",ETD 29/16/10,Bobbin ETD 29,N87,"), std::string::npos);
    EXPECT_NE(runCli(config, "--format csv").out.find(",Fill4\r\n"), std::string::npos);
}

TEST(CliCores, ASearchAcrossCoresShowsTheCoreFirst) {
    const TempFolder config;
    const CliRun table = runCli(config, "--cores 'EP 17,E 16/7/5,RM 5' --lang en", false);
    ASSERT_EQ(table.exitCode, 0) << table.out;
    EXPECT_EQ(table.out.rfind("Core", 0), 0u) << table.out;
    EXPECT_NE(table.out.find("\nEP 17 "), std::string::npos) << table.out;

    const auto json =
        nlohmann::json::parse(runCli(config, "--cores RM --max-ae 30 --material 3C95 --json").out);
    ASSERT_FALSE(json["solutionFigures"].empty());
    for (const auto& figures : json["solutionFigures"]) {
        EXPECT_EQ(figures["core"].get<std::string>().rfind("RM", 0), 0u);
        EXPECT_LE(figures["aeMm2"].get<double>(), 30);
        EXPECT_EQ(figures["material"], "3C95");
    }
}

// Ranked by loss over several cores: the lowest total first, and the table, CSV and JSON show
// the same figures in the same order.
TEST(CliCores, RankedByLossTheFormatsAgreeCoolestFirst) {
    const TempFolder config;
    const std::string search = "--cores 'EP 17,E 16/7/5,RM 6' --rank-by loss --max-solutions 6 --lang en ";
    const auto json = nlohmann::json::parse(runCli(config, search + "--json", false).out);
    const auto& figures = json["solutionFigures"];
    ASSERT_EQ(figures.size(), 6u);
    std::vector<std::string> coreLoss;
    double previous = 0;
    for (const auto& f : figures) {
        const double total = f["coreLossW"].get<double>() + f["copperLossW"].get<double>();
        EXPECT_LT(previous, total);
        previous = total;
        coreLoss.push_back(figureText(f["coreLossW"].get<double>()));
    }

    std::istringstream csv(runCli(config, search + "--format csv", false).out);
    std::istringstream table(runCli(config, search, false).out);
    std::string csvLine;
    std::string tableLine;
    std::getline(csv, csvLine);
    std::getline(table, tableLine);
    EXPECT_NE(tableLine.find("Pcore(W)"), std::string::npos) << tableLine;
    for (std::size_t row = 0; row < coreLoss.size(); ++row) {
        ASSERT_TRUE(std::getline(csv, csvLine));
        ASSERT_TRUE(std::getline(table, tableLine));
        const std::string core = figures[row]["core"];
        EXPECT_NE(csvLine.find("," + core + ","), std::string::npos) << csvLine;
        EXPECT_NE(csvLine.find("," + coreLoss[row] + ","), std::string::npos) << csvLine;
        EXPECT_EQ(tableLine.rfind(core, 0), 0u) << tableLine;
        EXPECT_NE(tableLine.find("  " + coreLoss[row] + " "), std::string::npos) << tableLine;
    }
}

TEST(CliCores, ListsInEveryFormat) {
    const TempFolder config;
    const auto cores = nlohmann::json::parse(runCli(config, "--list-cores --format json").out);
    ASSERT_GT(cores.size(), 50u);
    bool found = false;
    for (const auto& core : cores)
        if (core["name"] == "ETD 29/16/10") {
            found = true;
            EXPECT_EQ(core["aeMm2"], 76.51);
            EXPECT_EQ(core["defaultBobbin"], "Bobbin ETD 29");
        }
    EXPECT_TRUE(found);
    const std::string csv = runCli(config, "--list-cores --format csv").out;
    EXPECT_EQ(csv.rfind("\xEF\xBB\xBF名称,系列,Ae (mm²),", 0), 0u) << csv.substr(0, 80);
    const std::string table = runCli(config, "--list-materials --lang en").out;
    EXPECT_EQ(table.rfind("Name", 0), 0u);
    EXPECT_NE(table.find("\nN87 "), std::string::npos);
}

TEST(CliCores, TheUsersOwnCatalogueJoinsAndADamagedOneIsRefused) {
    const TempFolder config;
    std::filesystem::create_directories(config.path() / "quillmere");
    std::ofstream(config.path() / "quillmere" / "cores.json") << R"({"cores": [
      {"name": "EE19 own", "family": "E", "Ae": 22.7, "le": 39.4, "Ve": 895,
       "bobbins": [{"name": "B1", "slotWidth": 11.2, "slotDepth": 2.9}]}]})";
    const CliRun own = runCli(config, "--core 'ee19 own' --json", false);
    EXPECT_EQ(own.exitCode, 0);
    EXPECT_NE(own.out.find(R"("core":"EE19 own","bobbin":"B1")"), std::string::npos) << own.out;

    const std::string damaged = (config.path() / "damaged.json").string();
    std::ofstream(damaged) << R"({"cores": [{"name": "X", "family": "E", "Ae": 22.7, "Ve": 895}]})";
    const CliRun refused = runCli(config, "--catalogue " + damaged + " --list-cores");
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.out.find(damaged + ": core \"X\": "), std::string::npos) << refused.out;
    EXPECT_NE(runCli(config, "--catalogue /nonexistent.json").exitCode, 0);
}

TEST(CliCores, SavedDesignsKeepTheCoreAndTheSet) {
    const TempFolder config;
    const std::string file = (config.path() / "etd.qmd").string();
    ASSERT_EQ(
        runCli(config, std::string(kEtd) + " --material 3C95 --cores ETD --save-design " + file).exitCode, 0);
    const DesignRead read = readDesignFile(file);
    ASSERT_TRUE(read) << read.error;
    ASSERT_TRUE(read.design->core);
    EXPECT_EQ(read.design->core->core, "ETD 29/16/10");
    EXPECT_EQ(read.design->core->material, "3C95");
    ASSERT_TRUE(read.design->coreSet);
    EXPECT_EQ(read.design->coreSet->family, "ETD");
    EXPECT_EQ(read.design->inputs.coreAe, 76.51f);
    // Opened again, a typed Ae turns it custom.
    const std::string custom = (config.path() / "custom.qmd").string();
    ASSERT_EQ(runCli(config, "--design " + file + " --core-ae 30 --save-design " + custom).exitCode, 0);
    EXPECT_FALSE(readDesignFile(custom).design->core);
}

}  // namespace
