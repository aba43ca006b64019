#include "cli/cli_texts.h"

#include <algorithm>
#include <array>

using namespace quillmere;

namespace {

// The English must equal the translation file's for the same source (a test holds them together).
constexpr auto kCliTexts = std::to_array<LocalText>({
    {QT_TRANSLATE_NOOP("Cli", "分析中 %3d%%  第 %d 轮"), "Analysing %3d%%  pass %d"},
    {QT_TRANSLATE_NOOP("Cli", "没有找到合适的解法,参数可能不合理!"), "No solution; check the inputs!"},
    {QT_TRANSLATE_NOOP("Cli", "分析总数: "), "Analysed: "},
    {QT_TRANSLATE_NOOP("Cli", "找到解法: "), "Found: "},
    {QT_TRANSLATE_NOOP("Cli", "搜索轮次: "), "Passes: "},
    {QT_TRANSLATE_NOOP("Cli", "无法写入标准输出："), "Cannot write the standard output: "},
    {QT_TRANSLATE_NOOP("Cli", "搜索网格很大：每轮 %s 个候选。按 Ctrl+C 可停止。\n"),
     "The search grid is large: %s candidates per pass. Ctrl+C stops it.\n"},
    {QT_TRANSLATE_NOOP("Cli", "已中断，没有输出。"), "Interrupted; nothing was written."},
    {QT_TRANSLATE_NOOP("Cli", "未知的参数："), "Unexpected arguments:"},
    {QT_TRANSLATE_NOOP("Cli", "%s：你是指 %s 吗？"), "%s: did you mean %s?"},
    {QT_TRANSLATE_NOOP("Cli", "：缺少参数"), ": a value is missing"},
    {QT_TRANSLATE_NOOP("Cli", "命令行有误："), "Bad command line: "},
    {QT_TRANSLATE_NOOP("Cli", "值不可用："), "Bad value: "},
    {QT_TRANSLATE_NOOP("Cli", "选项互相矛盾："), "Options contradict each other: "},
    {QT_TRANSLATE_NOOP("Cli", "：缺少文件名"), ": a file name is missing"},
    {QT_TRANSLATE_NOOP("Cli", "未知的磁芯："), "Unknown core: "},
    {QT_TRANSLATE_NOOP("Cli", "未知的骨架："), "Unknown bobbin: "},
    {QT_TRANSLATE_NOOP("Cli", "未知的材质："), "Unknown material: "},
    {QT_TRANSLATE_NOOP("Cli", "你是指："), "Did you mean: "},
    {QT_TRANSLATE_NOOP("Cli", "--min-ae 与 --max-ae 只用于 --cores all 或磁芯系列"),
     "--min-ae and --max-ae only bound --cores all or a family"},
    {QT_TRANSLATE_NOOP("Cli", "所选范围内没有可搜索的磁芯："), "No core to search in the chosen set: "},
    {QT_TRANSLATE_NOOP("Cli", "--bobbin 需要 --core 或带磁芯的设计"),
     "--bobbin needs --core or a design with a core"},
    {QT_TRANSLATE_NOOP("Cli", "--material 需要 --core、--cores 或带磁芯的设计"),
     "--material needs --core, --cores or a design with a core"},
    {QT_TRANSLATE_NOOP("Cli", "磁芯"), "Core"},
    {QT_TRANSLATE_NOOP("Cli", "名称"), "Name"},
    {QT_TRANSLATE_NOOP("Cli", "系列"), "Family"},
    {QT_TRANSLATE_NOOP("Cli", "槽宽 (mm)"), "Slot width (mm)"},
    {QT_TRANSLATE_NOOP("Cli", "槽深 (mm)"), "Slot depth (mm)"},
    {QT_TRANSLATE_NOOP("Cli", "骨架"), "Bobbins"},
    {QT_TRANSLATE_NOOP("Cli", "厂商"), "Maker"},
});

}  // namespace

std::span<const LocalText> cliTexts() {
    return kCliTexts;
}

std::string_view cliText(Language language, std::string_view chineseSource) {
    if (std::ranges::find(kCliTexts, chineseSource, &LocalText::source) != kCliTexts.end())
        return lookUpText(kCliTexts, language, chineseSource);
    return localText(language, chineseSource);
}
