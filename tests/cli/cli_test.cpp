#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

#include "cli/cli_options.h"
#include "tests/cjk.h"

namespace {

struct CliRun {
    int exitCode;
    std::string out;
};

CliRun runCli(const std::string& args, const std::string& environment = "") {
    const std::string command =
        "env -u QUILLMERE_LANG " + environment + " " + QUILLMERE_CLI + " " + args + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    std::array<char, 4096> buf{};
    while (std::fgets(buf.data(), buf.size(), pipe)) out += buf.data();
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

TEST(Cli, ExitCodesAndMessages) {
    const struct {
        const char* args;
        int exitCode;
        const char* says;
    } cases[] = {
        {"--bogus 1", 2, "--bogus"},
        {"--slot-width abc", 2, "abc"},
        {"--slot-width -0", 2, "-0"},
        {"--primary-wires 0.20,0.22", 2, "0.20,0.22"},  // 0.22 is no catalogue size
        {"--cc-mode 2", 2, "--cc-mode"},
        {"--output-voltage", 2, "--output-voltage"},
        {"--controller-choice 0", 3, "功率超过IC最大输出!"},
        {"--peak-flux 3e9", 3, "规则参数超出范围,请检查!"},
        {"--slot-width 2 --json", 0, "\"passNumber\":20,\"solutionRecords\":[]"},
        {"--cc-mode 0 --idle-ratio 60 --json", 0, "\"passNumber\":20,\"solutionRecords\":[]"},
        {"--json", 0,
         "[\"1.\",\"19.68691\",\"131\",\"48\",\"No\",\"27\",\"0.23*1\",\"0.3*1\",\"0.12*1\",\"1300\""},
        {"--json", 0,
         "{\"analysedCount\":1984500,\"acceptedCount\":45,\"passNumber\":1,\"solutionRecords\":[["},
        {"--frequency 44098948 --frequency-span 3 --peak-flux 20 --peak-flux-span 20 --core-ae 0.0047151586 "
         "--skin-effect 0 --output-current 4.7474742e-7 --max-solutions 6 --json",
         0, "\"950\",\"4.409895e+007\",\"40\""},
        {"", 0, "分值"},
        {"--controller-choice 0 --output-voltage 12 --output-current 0.5 --json", 0, "\"acceptedCount\""},
        {"--primary-wires 0.2,0.21,0.23 --secondary-wires 0.30 --json", 0, "\"acceptedCount\":45,"},
    };
    for (const auto& c : cases) {
        const CliRun run = runCli(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args << "\n" << run.out;
        EXPECT_NE(run.out.find(c.says), std::string::npos) << c.args << "\n" << run.out;
    }
}

TEST(Cli, LanguageOfHeadingsAndMessages) {
    const struct {
        const char* environment;
        const char* args;
        int exitCode;
        const char* says;
        bool english;
    } cases[] = {
        {"", "--lang en", 0, "No.  Score     Np_1", true},
        {"", "--lang en --slot-width 2", 0,
         "No solution; check the inputs!\nAnalysed: 0  Found: 0  Passes: 20\n", true},
        {"", "--lang en --controller-choice 0", 3, "The power exceeds the IC's maximum output!", true},
        {"QUILLMERE_LANG=en", "--peak-flux 3e9", 3, "A rule value is out of range, please check!", true},
        {"QUILLMERE_LANG=en", "--lang zh --slot-width 2", 0,
         "没有找到合适的解法,参数可能不合理!\n分析总数: 0  找到解法: 0  搜索轮次: 20\n", false},
        {"QUILLMERE_LANG=", "--slot-width 2", 0, "分析总数: 0", false},
        {"QUILLMERE_LANG=english", "--slot-width 2", 0, "QUILLMERE_LANG=english names no language", false},
        {"", "--lang fr", 2, "bad value for --lang: fr", true},
        {"", "--lang", 2, "missing value for --lang", true},
    };
    for (const auto& c : cases) {
        const CliRun run = runCli(c.args, c.environment);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args << "\n" << run.out;
        EXPECT_NE(run.out.find(c.says), std::string::npos) << c.args << "\n" << run.out;
        if (c.english) {
            EXPECT_FALSE(containsCjk(run.out)) << c.args << "\n" << run.out;
        }
    }
}

TEST(Cli, OptionsReachTheDesign) {
    Design state;
    CliOptions options;
    std::string error;
    ASSERT_TRUE(
        parseCommandLine({"--max-solutions", "7.9", "--primary-strands", "2", "--secondary-wires",
                          "0.15,0.62", "--sandwich-winding", "1", "--cc-mode", "0", "--core-ae", "25"},
                         state, options, error))
        << error;
    EXPECT_EQ(state.rules.maxSolutions, 7);
    EXPECT_EQ(state.rules.primaryStrands, 2);
    EXPECT_EQ(state.rules.sandwichWinding, 1);
    EXPECT_FALSE(state.rules.ccMode);
    EXPECT_EQ(state.inputs.coreAe, 25);
    WireSet expected{};
    expected[5] = 0.15f;
    expected[29] = 0.62f;
    EXPECT_EQ(state.rules.secondaryWires, expected);
    EXPECT_FALSE(parseCommandLine({"--primary-strands", "2.5"}, state, options, error));
}

}  // namespace
