// The design-file reader's messages in both languages: the member path and the file's own texts
// stay as they are, the words around them follow the language asked for.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "engine/atomic_file.h"
#include "engine/design_file.h"
#include "engine/design_file_texts.h"
#include "tests/cjk.h"
#include "tests/temp_folder.h"

using namespace quillmere;

namespace {

std::string replaced(std::string text, std::string_view from, std::string_view to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

TEST(DesignFileLanguage, DamagedFilesAreExplainedInTheLanguageAsked) {
    const std::string defaults = designFileText(Design{});
    const struct {
        std::string text;
        const char* english;
        const char* chinese;
    } cases[] = {
        {"", "design.qmd: not valid JSON (line 1, column 1)",
         "design.qmd: 不是有效的 JSON（第 1 行，第 1 列）"},
        {"[]", "design.qmd: not a Quillmere design file (expected an object, found a list)",
         "design.qmd: 不是 Quillmere 设计文件（应为对象，却是 列表）"},
        {replaced(defaults, "\"quillmere-design\"", "\"quillmere-sheet\""),
         "design.qmd: format: not a Quillmere design file (expected \"quillmere-design\", found the text "
         "\"quillmere-sheet\")",
         "design.qmd: format: 不是 Quillmere 设计文件（应为 \"quillmere-design\"，却是 文本 "
         "\"quillmere-sheet\"）"},
        {replaced(defaults, "\"format\": \"quillmere-design\",", ""),
         "design.qmd: format: not a Quillmere design file (expected \"quillmere-design\", found nothing)",
         "design.qmd: format: 不是 Quillmere 设计文件（应为 \"quillmere-design\"，却是 无）"},
        {replaced(defaults, "\"version\": 2", "\"version\": 3"),
         "design.qmd: version: 3 is newer than this program reads (2)",
         "design.qmd: version: 3 比本程序能读的版本（2）新"},
        {replaced(defaults, "    \"coreAe\": 19.2,\n", ""), "design.qmd: inputs.coreAe: missing",
         "design.qmd: inputs.coreAe: 缺少"},
        {replaced(defaults, "\"controllerChoice\": 3,", "\"controllerChoice\": 3, \"note\": \"\","),
         "design.qmd: note: unknown member", "design.qmd: note: 未知的成员"},
        {replaced(defaults, "\"tapeTurns\": 2.0,", "\"tapeTurns\": 2.0, \"tapeTurns\": 3.0,"),
         "design.qmd: rules.tapeTurns: given twice", "design.qmd: rules.tapeTurns: 出现了两次"},
        {replaced(defaults, "\"coreAe\": 19.2", "\"coreAe\": \"19.2\""),
         "design.qmd: inputs.coreAe: expected a number, found the text \"19.2\"",
         "design.qmd: inputs.coreAe: 应为数，却是 文本 \"19.2\""},
        {replaced(defaults, "\"peakFluxSpan\": 200.0", "\"peakFluxSpan\": 1e400"),
         "design.qmd: rules.peakFluxSpan: not a finite number",
         "design.qmd: rules.peakFluxSpan: 不是有限的数"},
        {replaced(defaults, "\"firstWindingMinShare\": 40.0", "\"firstWindingMinShare\": 100.5"),
         "design.qmd: rules.firstWindingMinShare: 100.5 is out of range (0 to 100)",
         "design.qmd: rules.firstWindingMinShare: 100.5 超出范围（0 到 100）"},
        {replaced(defaults, "\"maxSolutions\": 10", "\"maxSolutions\": 7.9"),
         "design.qmd: rules.maxSolutions: expected a whole number, found 7.9",
         "design.qmd: rules.maxSolutions: 应为整数，却是 7.9"},
        {replaced(defaults, "\"primaryStrands\": 1", "\"primaryStrands\": 16777217"),
         "design.qmd: rules.primaryStrands: 16777217 is no count the rules dialog can hold",
         "design.qmd: rules.primaryStrands: 16777217 不是规则对话框能存下的数目"},
        {replaced(defaults, "\"ccMode\": true", "\"ccMode\": 1"),
         "design.qmd: rules.ccMode: expected true or false, found 1",
         "design.qmd: rules.ccMode: 应为 true 或 false，却是 1"},
        {replaced(defaults, "\"controllerChoice\": 3", "\"controllerChoice\": 4"),
         "design.qmd: controllerChoice: 4 (L6562) is not supported",
         "design.qmd: controllerChoice: 不支持 4 (L6562)"},
        {replaced(defaults, "\"0.21\"", "\"0.22\""),
         "design.qmd: rules.primaryWires[1]: unknown wire size \"0.22\"",
         "design.qmd: rules.primaryWires[1]: 未知的线径 \"0.22\""},
        {replaced(defaults, "\"0.21\"", "\"0.20\""),
         "design.qmd: rules.primaryWires[1]: wire size 0.20 listed twice",
         "design.qmd: rules.primaryWires[1]: 线径 0.20 列出了两次"},
        {replaced(defaults, "[\n      \"0.30\"\n    ]", "[]"),
         "design.qmd: rules.secondaryWires: no wire size listed",
         "design.qmd: rules.secondaryWires: 没有列出线径"},
        {replaced(defaults, "\"primaryStartPin\": 1", "\"primaryStartPin\": 0"),
         "design.qmd: sheet.primaryStartPin: 0 is no pin number (1 to 999)",
         "design.qmd: sheet.primaryStartPin: 0 不是引脚号（1 到 999）"},
        {replaced(defaults, "\"hipotDuration\": 60.0", "\"hipotDuration\": 0"),
         "design.qmd: sheet.hipotDuration: 0 is not above zero",
         "design.qmd: sheet.hipotDuration: 0 不大于零"},
        {replaced(defaults, "\"revision\": \"A\"", "\"revision\": {}"),
         "design.qmd: sheet.revision: expected a text, found an object",
         "design.qmd: sheet.revision: 应为文本，却是 对象"},
        {replaced(defaults, "\"drawnBy\": \"\"", "\"drawnBy\": \"a\\nb\""),
         "design.qmd: sheet.drawnBy: holds a control character", "design.qmd: sheet.drawnBy: 含有控制字符"},
        {replaced(defaults, "\"checkedBy\": \"\"", "\"checkedBy\": \"" + std::string(61, 'x') + "\""),
         "design.qmd: sheet.checkedBy: longer than 60 bytes", "design.qmd: sheet.checkedBy: 长于 60 字节"},
        {replaced(defaults, "\"sheet\": {", "\"sheet\": [], \"x\": {"),
         "design.qmd: sheet: expected an object, found a list", "design.qmd: sheet: 应为对象，却是 列表"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(readDesignText(c.text, "design.qmd", Language::English).error, c.english);
        EXPECT_EQ(readDesignText(c.text, "design.qmd", Language::Chinese).error, c.chinese);
    }
}

TEST(DesignFileLanguage, FilesThatCannotBeReadAreExplainedInTheLanguageAsked) {
    const TempFolder folder;
    const std::filesystem::path large = folder.path() / "large.qmd";
    ASSERT_FALSE(writeFileAtomically(large, std::string(kDesignFileMaxBytes + 1, ' ')));
    const std::string none = (folder.path() / "none.qmd").string();
    const struct {
        std::filesystem::path path;
        std::string english;
        std::string chinese;
    } cases[] = {
        {large, large.string() + ": larger than 1048576 bytes", large.string() + ": 大于 1048576 字节"},
        {folder.path(), folder.path().string() + ": is a folder, not a design file",
         folder.path().string() + ": 是文件夹，不是设计文件"},
        {none, none + ": No such file or directory", none + ": 没有那个文件或目录"},
        {"/dev/null", "/dev/null: not a regular file", "/dev/null: 不是普通文件"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(readDesignFile(c.path, Language::English).error, c.english);
        EXPECT_EQ(readDesignFile(c.path, Language::Chinese).error, c.chinese);
    }
}

TEST(DesignFileLanguage, EveryMessageHasBothLanguagesAndItsPlaceholders) {
    for (const LocalText& text : designFileTexts()) {
        EXPECT_TRUE(containsCjk(text.source)) << text.english;
        EXPECT_FALSE(containsCjk(text.english)) << text.source;
        const auto count = [](std::string_view s) {
            std::size_t n = 0;
            for (auto at = s.find("%s"); at != std::string_view::npos; at = s.find("%s", at + 2)) ++n;
            return n;
        };
        EXPECT_EQ(count(text.source), count(text.english)) << text.english;
    }
    // A value is put in as it is, even one that looks like a placeholder.
    EXPECT_EQ(designFileSays(Language::Chinese, "unknown wire size %s", {"%s"}), "未知的线径 %s");
    EXPECT_EQ(designFileSays(Language::Chinese, "a text nobody wrote %s", {"x"}), "a text nobody wrote x")
        << "a text missing from the table stays as it was";
}

}  // namespace
