#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>

#include <signal.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>
#include <vector>

#include "cli/cli_options.h"
#include "engine/design_file.h"
#include "engine/record_layout.h"
#include "tests/cjk.h"
#include "tests/temp_folder.h"

using namespace quillmere;

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

constexpr const char* kCvSandwich =
    "--cc-mode 0 --sandwich-winding 1 --sandwich-wire-change 1 --primary-strands 2 --secondary-strands 1.5";

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
        {"--format csv", 0, "Vor,Fill1,Fill2,Fill3,Fill4\r\n1.,19.68691,131,48,No,"},
        {"--format xml", 2, "--format: xml"},
        {"--json --format table", 2, "--json"},
        {"--design", 2, "--design"},
        {"--design /nonexistent/d.qmd --json", 2, "/nonexistent/d.qmd: 没有那个文件或目录"},
        {"--design /dev/null", 2, "/dev/null: 不是普通文件"},
        {"--save-design /", 1, "/: cannot save"},
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
        {"", "--lang en", 0, "Lp(µH)  f(kHz)  △B(G)  Cmil/A", true},
        {"", "", 0, "Lp(uH)  f(KHz)  △B(GS)  Cmil/A", false},
        {"", "--lang en --slot-width 2", 0,
         "No solution; check the inputs!\nAnalysed: 0  Found: 0  Passes: 20\n", true},
        {"", "--lang en --controller-choice 0", 3, "The power exceeds the IC's maximum output!", true},
        {"QUILLMERE_LANG=en", "--peak-flux 3e9", 3, "A rule value is out of range, please check!", true},
        {"QUILLMERE_LANG=en", "--lang zh --slot-width 2", 0,
         "没有找到合适的解法,参数可能不合理!\n分析总数: 0  找到解法: 0  搜索轮次: 20\n", false},
        {"QUILLMERE_LANG=", "--slot-width 2", 0, "分析总数: 0", false},
        {"QUILLMERE_LANG=english", "--slot-width 2", 0, "QUILLMERE_LANG=english names no language", false},
        {"", "--lang fr", 2, "值不可用：--lang: fr (en, zh)", false},
        {"QUILLMERE_LANG=en", "--lang fr", 2, "Bad value: --lang: fr (en, zh)", true},
        {"", "--lang", 2, "--lang：缺少参数", false},
        {"", "--lang en --core-ae", 2, "--core-ae: a value is missing", true},
        {"", "--lang en --bogus 1 --frequncy 50 x", 2,
         "Unexpected arguments: --bogus 1 --frequncy 50 x\n--frequncy: did you mean --frequency?", true},
        {"", "--frequncy=50 --slot-widht 1", 2,
         "未知的参数： --frequncy=50 --slot-widht 1\n--frequncy：你是指 --frequency 吗？\n"
         "--slot-widht：你是指 --slot-width 吗？",
         false},
        {"", "--lang en --format xml", 2, "Bad value: --format: xml", true},
        {"", "--lang en --json --format csv", 2, "Options contradict each other: --json, --format csv", true},
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

TEST(Cli, SavedDesignsAnalyseAsTheirOptions) {
    const TempFolder folder;
    for (const std::string options : {"", kCvSandwich}) {
        const std::string file = folder / "saved.qmd";
        const CliRun save = runCli(options + " --save-design " + file);
        ASSERT_EQ(save.exitCode, 0) << save.out;
        EXPECT_EQ(save.out, "");  // saved, not analysed

        Design fromOptions;
        CliOptions parsed;
        std::string error;
        std::vector<std::string> args;
        std::istringstream words(options);
        for (std::string word; words >> word;) args.push_back(word);
        ASSERT_TRUE(parseCommandLine(args, fromOptions, parsed, error)) << error;
        const DesignRead read = readDesignFile(file);
        ASSERT_TRUE(read) << read.error;
        EXPECT_EQ(designFileText(*read.design), designFileText(fromOptions));

        const CliRun direct = runCli(options + " --json");
        EXPECT_EQ(runCli("--design " + file + " --json").out, direct.out) << options;
        EXPECT_NE(direct.out.find("\"solutionRecords\":[["), std::string::npos);
    }
}

TEST(Cli, OptionsOverrideTheDesignFileWhereverTheyStand) {
    const TempFolder folder;
    const std::string file = folder / "cv.qmd";
    ASSERT_EQ(runCli(std::string(kCvSandwich) + " --save-design " + file).exitCode, 0);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--cc-mode", "1", "--design", file},
          std::vector<std::string>{"--design", file, "--cc-mode", "1"}}) {
        Design design;
        CliOptions options;
        std::string error;
        ASSERT_TRUE(parseCommandLine(args, design, options, error)) << error;
        EXPECT_TRUE(design.rules.ccMode);
        EXPECT_EQ(design.rules.primaryStrands, 2);  // the rest is the file's
        EXPECT_EQ(options.designFile, file);
    }

    std::ofstream(folder / "bad.qmd") << "{\"format\": \"quillmere-design\", \"version\": 9}";
    Design design;
    CliOptions options;
    std::string error;
    EXPECT_FALSE(parseCommandLine({"--design", folder / "bad.qmd", "--core-ae", "25", "--lang", "en"}, design,
                                  options, error));
    EXPECT_EQ(error, folder / "bad.qmd" + ": version: 9 is newer than this program reads (2)");
    EXPECT_EQ(design, Design{});
    const CliRun run = runCli("--design " + folder / "bad.qmd");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.out.find("bad.qmd: version: 9 比本程序能读的版本（2）新"), std::string::npos) << run.out;
}

TEST(Cli, CsvHoldsTheJsonSolutionsForPythonsCsvModule) {
    const TempFolder folder;
    const std::string csv = folder / "result.csv";
    ASSERT_EQ(runCli(std::string(kCvSandwich) + " --format csv > " + csv).exitCode, 0);
    const auto result = nlohmann::json::parse(runCli(std::string(kCvSandwich) + " --json").out);
    nlohmann::json rows = nlohmann::json::array();
    rows.push_back(std::vector<std::string>(kRecordHeadings.begin(), kRecordHeadings.end()));
    for (const auto& record : result["solutionRecords"]) rows.push_back(record);
    ASSERT_GT(rows.size(), 2u);
    const std::string expected = folder / "rows.json";
    std::ofstream(expected) << rows.dump();
    const std::string check =
        std::string(PYTHON3) + " " + QUILLMERE_SOURCE_DIR + "/tests/csv_check.py " + csv + " " + expected;
    EXPECT_EQ(std::system(check.c_str()), 0) << check;
}

TEST(Cli, AFailedWriteToStandardOutputIsAFailure) {
    for (const char* format : {"table", "csv", "json"}) {
        const std::string command = std::string("env -u QUILLMERE_LANG ") + QUILLMERE_CLI + " --format " +
                                    format + " 2>&1 >/dev/full";
        FILE* pipe = popen(command.c_str(), "r");
        std::string said;
        std::array<char, 4096> buf{};
        while (std::fgets(buf.data(), buf.size(), pipe)) said += buf.data();
        const int status = pclose(pipe);
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 1) << format << "\n" << said;
        EXPECT_NE(said.find("设备上没有空间"), std::string::npos) << format << "\n" << said;
    }
}

// The command line started with its output in files of `folder`; returns its process id.
pid_t startCli(const TempFolder& folder, const std::vector<std::string>& args) {
    const std::string out = folder / "out", err = folder / "err";
    const pid_t child = fork();
    if (child == 0) {
        const int outFd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(outFd, STDOUT_FILENO);
        ::dup2(errFd, STDERR_FILENO);
        ::unsetenv("QUILLMERE_LANG");
        std::vector<char*> argv{const_cast<char*>(QUILLMERE_CLI)};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(QUILLMERE_CLI, argv.data());
        ::_exit(127);
    }
    return child;
}

std::string fileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(Cli, AHugeGridIsAnnouncedAndCtrlCStopsItWithinASecond) {
    using Clock = std::chrono::steady_clock;
    const TempFolder folder;
    const pid_t cli = startCli(folder, {"--on-duty-span", "1e9", "--format", "csv"});
    ASSERT_GT(cli, 0);
    // The count is said before the search starts; give the search a moment to be under way.
    const Clock::time_point started = Clock::now();
    while (fileText(folder / "err").find('\n') == std::string::npos &&
           Clock::now() - started < std::chrono::seconds(20))
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const std::string announced = fileText(folder / "err");
    EXPECT_NE(announced.find("候选"), std::string::npos) << announced;

    ASSERT_EQ(::kill(cli, SIGINT), 0);
    const Clock::time_point signalled = Clock::now();
    int status = 0;
    while (::waitpid(cli, &status, WNOHANG) == 0) {
        if (Clock::now() - signalled > std::chrono::seconds(10)) {
            ::kill(cli, SIGKILL);
            ::waitpid(cli, &status, 0);
            FAIL() << "still running 10 s after Ctrl+C";
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    const auto stopping = Clock::now() - signalled;
    EXPECT_LT(stopping, std::chrono::seconds(1));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 130) << status;
    EXPECT_EQ(fileText(folder / "out"), "");
}

TEST(Cli, TheProgressLineOnATerminalStartsAtZero) {
    // `script` gives the command line a terminal for its stderr; stdout goes nowhere.
    const std::string command = std::string("script -qec 'env -u QUILLMERE_LANG ") + QUILLMERE_CLI +
                                " --slot-width 2 >/dev/null' /dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    std::string terminal;
    std::array<char, 4096> buf{};
    while (std::fgets(buf.data(), buf.size(), pipe)) terminal += buf.data();
    if (pclose(pipe) != 0 && terminal.empty()) GTEST_SKIP() << "no `script` to give a terminal";
    EXPECT_NE(terminal.find("分析中   0%"), std::string::npos) << terminal.substr(0, 200);
    EXPECT_EQ(terminal.find("-1%"), std::string::npos) << terminal.substr(0, 200);
}

}  // namespace
