// --help speaks the chosen language from its first line to its last: every option listed has a
// description in both languages, and the Chinese help keeps none of the English. A bad design
// file is explained in the chosen language too.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include "cli/help_texts.h"
#include "tests/cjk.h"
#include "tests/temp_folder.h"

using namespace quillmere;

namespace {

struct CliRun {
    int exitCode;
    std::string out;
};

CliRun runCli(const std::string& environment, const std::string& args) {
    const std::string command =
        "env -u QUILLMERE_LANG " + environment + " " + QUILLMERE_CLI + " " + args + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    std::array<char, 4096> buf{};
    while (std::fgets(buf.data(), buf.size(), pipe)) out += buf.data();
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

std::string helpOf(const std::string& environment, const std::string& args) {
    const CliRun run = runCli(environment, args);
    EXPECT_EQ(run.exitCode, 0) << environment << " " << args;
    return run.out;
}

// Each option line's description, by the option's long name.
std::map<std::string, std::string> descriptions(const std::string& help) {
    const std::regex line(R"(^  (?:-\w,)?(--[a-z-]+)(?: [A-Z]+)? +(.+)$)");
    std::map<std::string, std::string> found;
    std::istringstream lines(help);
    for (std::string text; std::getline(lines, text);)
        if (std::smatch m; std::regex_match(text, m, line)) found[m[1]] = m[2];
    return found;
}

TEST(CliHelp, EveryOptionIsDescribedInEachLanguage) {
    const struct {
        const char* environment;
        const char* args;
        bool chinese;
    } cases[] = {
        {"", "--help", true},
        {"QUILLMERE_LANG=zh", "--help", true},
        {"QUILLMERE_LANG=en", "--help", false},
        {"", "--lang en --help", false},
        {"QUILLMERE_LANG=en", "--help --lang zh", true},
    };
    const std::map<std::string, std::string> english = descriptions(helpOf("", "--lang en --help"));
    ASSERT_GT(english.size(), 40u);
    for (const auto& c : cases) {
        const std::string help = helpOf(c.environment, c.args);
        const std::map<std::string, std::string> shown = descriptions(help);
        const std::string where = std::string(c.environment) + " " + c.args;
        EXPECT_EQ(shown.size(), english.size()) << where;
        for (const auto& [option, description] : shown) {
            EXPECT_EQ(containsCjk(description), c.chinese) << where << ": " << option << " " << description;
            const bool englishShown = help.find(english.at(option)) != std::string::npos;
            EXPECT_FALSE(c.chinese && englishShown) << where << ": " << option;
        }
        EXPECT_EQ(help.find(c.chinese ? "Usage" : "用法"), std::string::npos) << where;
        EXPECT_NE(help.find(c.chinese ? "用法: quillmere-cli [选项]" : "Usage: quillmere-cli [OPTIONS]"),
                  std::string::npos)
            << where;
    }
}

TEST(CliHelp, ChineseHelpKeepsNoEnglishLine) {
    const std::string help = helpOf("", "--help");
    for (const LocalText& text : helpTexts()) {
        EXPECT_TRUE(containsCjk(text.source)) << text.english << " has no Chinese";
        EXPECT_FALSE(containsCjk(text.english)) << text.source;
        std::istringstream lines{std::string(text.english)};
        for (std::string line; std::getline(lines, line);)
            EXPECT_TRUE(line.size() <= 8 || help.find(line) == std::string::npos) << line;
    }
}

TEST(CliHelp, EveryFieldWithAChineseTextIsAField) {
    // A Chinese text keyed by an option the field table no longer has is a text nobody sees.
    const std::string help = helpOf("", "--lang en --help");
    for (const FieldHelpText& text : fieldHelpTexts())
        EXPECT_NE(help.find("--" + std::string(text.option) + " "), std::string::npos) << text.option;
}

TEST(CliLanguage, ABadDesignFileIsExplainedInTheChosenLanguage) {
    const TempFolder folder;
    const std::string bad = (folder.path() / "bad.qmd").string();
    {
        std::FILE* file = std::fopen(bad.c_str(), "w");
        ASSERT_NE(file, nullptr);
        std::fputs(R"({"format": "quillmere-design", "version": 1, "inputs": []})", file);
        std::fclose(file);
    }
    const std::string english = "quillmere-cli: " + bad + ": inputs: expected an object, found a list\n";
    const std::string chinese = "quillmere-cli: " + bad + ": inputs: 应为对象，却是 列表\n";
    const std::string folderName = folder.path().string();
    const struct {
        const char* environment;
        std::string args;
        std::string says;
    } cases[] = {
        {"", "--design " + bad, chinese},
        {"QUILLMERE_LANG=en", "--design " + bad, english},
        {"", "--lang en --design " + bad, english},
        {"QUILLMERE_LANG=en", "--design " + bad + " --lang zh", chinese},
        {"", "--design " + folderName, "quillmere-cli: " + folderName + ": 是文件夹，不是设计文件\n"},
        {"", "--lang en --design " + folderName,
         "quillmere-cli: " + folderName + ": is a folder, not a design file\n"},
    };
    for (const auto& c : cases) {
        const CliRun run = runCli(c.environment, c.args);
        EXPECT_EQ(run.exitCode, 2) << c.args;
        EXPECT_EQ(run.out, c.says) << c.environment << " " << c.args;
    }
}

}  // namespace
