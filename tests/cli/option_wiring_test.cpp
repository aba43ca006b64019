// Each design option of the command line changes exactly the design member of its name: every
// option listed by --help is given a distinctive value and the design it saves is compared,
// member by member, with the defaults' design.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/temp_folder.h"

namespace {

using Json = nlohmann::json;

int run(const std::string& args, std::string* out = nullptr) {
    const std::string command = std::string("env -u QUILLMERE_LANG ") + QUILLMERE_CLI + " " + args + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string text;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;) text.append(buf, n);
    const int status = pclose(pipe);
    if (out) *out = text;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// "--diode-drop" names the member "diodeDrop".
std::string memberName(const std::string& option) {
    std::string name;
    bool upper = false;
    for (char c : option.substr(2)) {
        if (c == '-') {
            upper = true;
            continue;
        }
        name += upper ? static_cast<char>(c - 'a' + 'A') : c;
        upper = false;
    }
    return name;
}

// The design options of --help: those that take a VALUE.
std::vector<std::string> designOptions() {
    std::string help;
    run("--help", &help);
    std::vector<std::string> options;
    const std::regex line(R"(^\s+(--[a-z-]+) VALUE)");
    std::istringstream lines(help);
    for (std::string text; std::getline(lines, text);)
        if (std::smatch m; std::regex_search(text, m, line)) options.push_back(m[1]);
    return options;
}

// Every member of a saved design as "inputs.name", "rules.name" or "name", with its value.
std::map<std::string, Json> members(const std::string& path) {
    const Json file = Json::parse(std::ifstream(path));
    std::map<std::string, Json> all;
    for (const auto& [key, value] : file.items()) {
        if (value.is_object())
            for (const auto& [name, inner] : value.items()) all[key + "." + name] = inner;
        else
            all[key] = value;
    }
    return all;
}

// A value unlike the default that the member's kind accepts.
std::string distinctiveValue(const Json& current) {
    if (current.is_boolean()) return current.get<bool>() ? "0" : "1";
    if (current.is_array()) return "0.62";  // in no default wire set
    if (current.is_number_integer()) {
        const auto value = current.get<std::int64_t>();
        if (value == 0 || value == 1) return value == 0 ? "1" : "0";  // a flag, or a count of 1
        return "7";
    }
    return "37.625";  // a float within every range, exact in single precision
}

TEST(OptionWiring, EachOptionChangesExactlyTheMemberOfItsName) {
    const std::vector<std::string> options = designOptions();
    ASSERT_EQ(options.size(), 43u);
    TempFolder folder;
    const std::string defaultsPath = folder / "defaults.qmd";
    ASSERT_EQ(run("--save-design " + defaultsPath), 0);
    const std::map<std::string, Json> defaults = members(defaultsPath);

    std::set<std::string> changedMembers;
    for (const std::string& option : options) {
        const std::string name = memberName(option);
        std::string key;
        for (const std::string& k : {"inputs." + name, "rules." + name, name})
            if (defaults.count(k)) key = k;
        // The loss rules are saved only when changed.
        const bool savedWhenChanged = key.empty();
        if (savedWhenChanged) key = "rules." + name;
        std::string value = savedWhenChanged ? "37.625" : distinctiveValue(defaults.at(key));
        if (key == "controllerChoice") value = "2";
        if (option == "--rank-by") value = "temperature";
        const std::string saved = folder / (name + ".qmd");
        ASSERT_EQ(run(option + " " + value + " --save-design " + saved), 0) << option << " " << value;
        const std::map<std::string, Json> design = members(saved);
        std::vector<std::string> changed;
        for (const auto& [k, v] : design)
            if (!defaults.count(k) || defaults.at(k) != v) changed.push_back(k);
        EXPECT_EQ(changed, std::vector<std::string>{key}) << option << " " << value;
        const Json& now = design.at(key);
        if (option == "--rank-by") {
            EXPECT_EQ(now, "temperature");
        }
        if (now.is_number_float()) {
            EXPECT_EQ(now.get<double>(), 37.625) << option;
        }
        changedMembers.insert(key);
    }
    EXPECT_EQ(changedMembers.size(), options.size());
}

// One range at every entrance: what a design file may hold, the options take, and a share
// outside 0 to 100 % nowhere. {options, exit status, member, value saved}
TEST(OptionRanges, OptionsTakeWhatADesignFileHolds) {
    const struct {
        const char* options;
        int exitCode;
        const char* member;
        double saved;
    } cases[] = {
        {"--sandwich-winding 1 --first-winding-min-share -3e10", 2, nullptr, 0},
        {"--sandwich-winding 1 --first-winding-min-share -1e6", 2, nullptr, 0},
        {"--first-winding-min-share -1e-30", 2, nullptr, 0},
        {"--first-winding-min-share 100.5", 2, nullptr, 0},
        {"--first-winding-min-share 100", 0, "firstWindingMinShare", 100},
        {"--first-winding-min-share 0", 0, "firstWindingMinShare", 0},
        {"--max-solutions 2147483647", 0, "maxSolutions", 2147483647},
        {"--max-solutions -2147483648", 0, "maxSolutions", -2147483648.0},
        {"--max-solutions 1e12", 0, "maxSolutions", 2147483647},  // held to the end, as the dialog does
        {"--max-solutions 7.9", 0, "maxSolutions", 7},
        {"--peak-flux-span -1e-46", 2, nullptr, 0},
        {"--peak-flux-span -0", 2, nullptr, 0},
        {"--peak-flux-span 0", 0, "peakFluxSpan", 0},
        {"--peak-flux-span 1e-45", 0, "peakFluxSpan", 1.401298464324817e-45},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        const std::string saved = folder / "d.qmd";
        std::filesystem::remove(saved);
        EXPECT_EQ(run(std::string(c.options) + " --save-design " + saved), c.exitCode) << c.options;
        if (!c.member) {
            EXPECT_FALSE(std::filesystem::exists(saved)) << c.options;
            continue;
        }
        const auto design = members(saved);
        // Compared as the int or the single-precision number the member holds.
        const Json& value = design.at(std::string("rules.") + c.member);
        if (value.is_number_integer())
            EXPECT_EQ(value.get<double>(), c.saved) << c.options;
        else
            EXPECT_EQ(static_cast<float>(value.get<double>()), static_cast<float>(c.saved)) << c.options;
        // What was saved reads back: the design file takes the same range.
        EXPECT_EQ(run("--design " + saved + " --save-design " + saved), 0) << c.options;
    }
}

}  // namespace
