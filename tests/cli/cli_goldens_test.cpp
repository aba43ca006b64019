// Every output the CLI had before the results became values and the fields a table: stdout of
// each manifest case in all three formats, and the design it saves, byte for byte.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "tests/temp_folder.h"

namespace {

const std::string kGoldens = std::string(QUILLMERE_SOURCE_DIR) + "/tests/cli/goldens/";

struct GoldenCase {
    std::string name;
    int exitCode = 0;
    std::string options;
};

std::vector<GoldenCase> readManifest() {
    std::ifstream in(kGoldens + "manifest.txt");
    std::vector<GoldenCase> cases;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line.front() == '#') continue;
        std::istringstream fields(line);
        GoldenCase c;
        fields >> c.name >> c.exitCode;
        std::getline(fields >> std::ws, c.options);
        cases.push_back(c);
    }
    return cases;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

/// Runs the CLI with stderr thrown away: progress and messages are not part of the output.
std::pair<int, std::string> runStdout(const std::string& options) {
    const std::string command =
        std::string("env -u QUILLMERE_LANG ") + QUILLMERE_CLI + " " + options + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;) out.append(buf, n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

TEST(CliGoldens, OutputAndSavedDesignAreByteIdentical) {
    const std::vector<GoldenCase> cases = readManifest();
    ASSERT_GE(cases.size(), 12u);
    TempFolder folder;
    for (const GoldenCase& c : cases) {
        for (const auto& [format, suffix] :
             {std::pair{"table", ".txt"}, {"json", ".json"}, {"csv", ".csv"}}) {
            const auto [exitCode, out] = runStdout(c.options + " --format " + format);
            EXPECT_EQ(exitCode, c.exitCode) << c.name << " " << format;
            EXPECT_TRUE(out == readFile(kGoldens + c.name + suffix)) << c.name << " " << format;
        }
        if (c.exitCode == 2) continue;  // bad usage saves nothing
        const std::string saved = folder / (c.name + ".qmd");
        EXPECT_EQ(runStdout(c.options + " --save-design " + saved).first, 0) << c.name;
        EXPECT_TRUE(readFile(saved) == readFile(kGoldens + c.name + ".qmd")) << c.name << " saved design";
    }
}

}  // namespace
