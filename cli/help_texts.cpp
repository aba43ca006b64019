#include "cli/help_texts.h"

#include <algorithm>
#include <array>

#include "cli/cli_texts.h"
#include "engine/design_fields.h"

using namespace quillmere;

namespace {

// Keyed by option so that the field table stays the one place of each field's English.
constexpr auto kFieldHelpTexts = std::to_array<FieldHelpText>({
    {"min-input-vac", QT_TRANSLATE_NOOP("Cli", "最低输入电压，V AC")},
    {"max-input-vac", QT_TRANSLATE_NOOP("Cli", "最高输入电压，V AC")},
    {"output-voltage", QT_TRANSLATE_NOOP("Cli", "输出电压，V")},
    {"output-current", QT_TRANSLATE_NOOP("Cli", "输出电流，A")},
    {"feedback-voltage", QT_TRANSLATE_NOOP("Cli", "反馈绕组电压，V")},
    {"min-rectified-vdc", QT_TRANSLATE_NOOP("Cli", "最低整流电压，V DC")},
    {"efficiency", QT_TRANSLATE_NOOP("Cli", "变压器传递效率，%")},
    {"core-ae", QT_TRANSLATE_NOOP("Cli", "磁芯有效截面积，mm²")},
    {"slot-width", QT_TRANSLATE_NOOP("Cli", "骨架槽宽，mm")},
    {"slot-depth", QT_TRANSLATE_NOOP("Cli", "骨架槽深，mm")},
    {"aux-wire-diameter", QT_TRANSLATE_NOOP("Cli", "辅助绕组线径，mm")},
    {"peak-flux", QT_TRANSLATE_NOOP("Cli", "峰值磁通密度的中心值，高斯")},
    {"peak-flux-span", QT_TRANSLATE_NOOP("Cli", "峰值磁通密度的 ± 范围，高斯")},
    {"on-duty", QT_TRANSLATE_NOOP("Cli", "导通占空比的中心值，%")},
    {"on-duty-span", QT_TRANSLATE_NOOP("Cli", "导通占空比的 ± 范围，%")},
    {"frequency", QT_TRANSLATE_NOOP("Cli", "开关频率的中心值，kHz")},
    {"frequency-span", QT_TRANSLATE_NOOP("Cli", "开关频率的 ± 范围，kHz")},
    {"switch-drop", QT_TRANSLATE_NOOP("Cli", "开关管导通压降，V")},
    {"diode-drop", QT_TRANSLATE_NOOP("Cli", "输出二极管正向压降，V")},
    {"temp-rise", QT_TRANSLATE_NOOP("Cli", "线圈温升，度")},
    {"wind-depth-limit", QT_TRANSLATE_NOOP("Cli", "绕组深度上限，占槽深的 %")},
    {"first-winding-min-share", QT_TRANSLATE_NOOP("Cli", "第一绕组的最小占比，%")},
    {"slot-width-reserve", QT_TRANSLATE_NOOP("Cli", "槽宽余量，%")},
    {"tape-thickness", QT_TRANSLATE_NOOP("Cli", "胶带厚度，mm")},
    {"tape-turns", QT_TRANSLATE_NOOP("Cli", "绕组间的胶带圈数")},
    {"output-duty", QT_TRANSLATE_NOOP("Cli", "输出占空比，%（CC 模式）")},
    {"idle-ratio", QT_TRANSLATE_NOOP("Cli", "空闲比，%（CV 模式）")},
    {"max-solutions", QT_TRANSLATE_NOOP("Cli", "最多列出的解法数")},
    {"cc-mode", QT_TRANSLATE_NOOP("Cli", "1 恒流（PFM），0 恒压（PWM）")},
    {"sandwich-winding", QT_TRANSLATE_NOOP("Cli", "1 三明治绕法")},
    {"skin-effect", QT_TRANSLATE_NOOP("Cli", "1 考虑集肤效应")},
    {"even-turns", QT_TRANSLATE_NOOP("Cli", "1 只取偶数匝数")},
    {"sandwich-wire-change", QT_TRANSLATE_NOOP("Cli", "1 允许三明治绕法内换线")},
    {"primary-wires", QT_TRANSLATE_NOOP("Cli", "初级候选线径，如 0.20,0.21,0.23")},
    {"secondary-wires", QT_TRANSLATE_NOOP("Cli", "次级候选线径，如 0.30")},
    {"primary-strands", QT_TRANSLATE_NOOP("Cli", "初级并绕股数，整数")},
    {"secondary-strands", QT_TRANSLATE_NOOP("Cli", "次级并绕股数")},
    {"operating-temperature", QT_TRANSLATE_NOOP("Cli", "损耗数据的工作温度，°C")},
    {"rank-by", QT_TRANSLATE_NOOP("Cli", "排序依据：fill、loss、temperature 或 volume")},
    {"max-temperature-rise", QT_TRANSLATE_NOOP("Cli", "不取温升高于此值的解法，K；0 不限")},
    {"max-flux-of-saturation", QT_TRANSLATE_NOOP("Cli", "不取 Bpk/Bsat 高于此值的解法，%；0 不限")},
    {"max-total-loss", QT_TRANSLATE_NOOP("Cli", "不取总损耗高于此值的解法，W；0 不限")},
});

// The English must equal the translation file's for the same source (a test holds them together).
constexpr auto kHelpTexts = std::to_array<LocalText>({
    {QT_TRANSLATE_NOOP("Cli",
                       "用默认设计或一个设计文件做一次反激变压器分析，按选项修改设计，\n"
                       "列出排好序的解法。"),
     "Runs one flyback transformer analysis on the built-in defaults or a design file,\n"
     "changed by the options, and prints the ranked solutions."},
    {QT_TRANSLATE_NOOP("Cli",
                       "开关量取 1 或 0；线径组是以逗号分隔的线表直径（mm）。\n"
                       "--design 从设计文件（.qmd，见 docs/design-file.md）开始，而不是从默认值；\n"
                       "其余选项无论写在哪里都修改它。\n"
                       "退出状态：0 已分析（或已保存设计），1 无法保存设计，2 用法错误或设计文件有误，\n"
                       "3 被分析检查拒绝。"),
     "Flags take 1 or 0; a wire set is a comma-separated list of catalogue diameters (mm).\n"
     "--design starts from a design file (.qmd, docs/design-file.md) instead of the defaults; the\n"
     "other options change it wherever they stand.\n"
     "Exit status: 0 analysed (or design saved), 1 the design could not be saved, 2 bad usage or\n"
     "a bad design file, 3 refused by the analyse checks."},
    {QT_TRANSLATE_NOOP("Cli", "设计输入"), "Design inputs"},
    {QT_TRANSLATE_NOOP("Cli", "规则"), "Rules"},
    {QT_TRANSLATE_NOOP("Cli", "文件与输出"), "Files and output"},
    {QT_TRANSLATE_NOOP("Cli", "用法"), "Usage"},
    {QT_TRANSLATE_NOOP("Cli", "选项"), "OPTIONS"},
    {QT_TRANSLATE_NOOP("Cli", "控制器：0 ----，1 BP3105，2 PL3532，3 PSR通用"),
     "controller: 0 ----, 1 BP3105, 2 PL3532, 3 generic PSR"},
    {QT_TRANSLATE_NOOP("Cli", "从这个设计文件开始"), "start from this design file"},
    {QT_TRANSLATE_NOOP("Cli", "把设计写入这个文件后停止"), "write the design to this file and stop"},
    {QT_TRANSLATE_NOOP("Cli", "table（默认）、json 或 csv"), "table (default), json or csv"},
    {QT_TRANSLATE_NOOP("Cli", "等同于 --format json"), "same as --format json"},
    {QT_TRANSLATE_NOOP("Cli", "标题和消息的语言：en 或 zh（未给出时看 QUILLMERE_LANG，再没有则为 zh）"),
     "headings and messages in en or zh (else QUILLMERE_LANG, else zh)"},
    {QT_TRANSLATE_NOOP("Cli", "磁芯库"), "Core catalogue"},
    {QT_TRANSLATE_NOOP("Cli", "绕在这个磁芯库磁芯上（Ae 与槽取自磁芯库）"),
     "wind on this catalogue core (Ae and slot from the catalogue)"},
    {QT_TRANSLATE_NOOP("Cli", "磁芯的骨架，按名称或厂家型号（默认：其第一个）"),
     "the core's bobbin by name or maker reference (default: its first)"},
    {QT_TRANSLATE_NOOP("Cli", "磁芯材质（默认 N87）"), "the ferrite (default N87)"},
    {QT_TRANSLATE_NOOP("Cli", "在这些磁芯中搜索：all、一个系列或 NAME[,NAME...]"),
     "search these cores: all, a family or NAME[,NAME...]"},
    {QT_TRANSLATE_NOOP("Cli", "与 --cores all 或系列同用：最小 Ae，mm²"),
     "with --cores all or a family: smallest Ae, mm²"},
    {QT_TRANSLATE_NOOP("Cli", "与 --cores all 或系列同用：最大 Ae，mm²"),
     "with --cores all or a family: largest Ae, mm²"},
    {QT_TRANSLATE_NOOP("Cli", "列出磁芯库的磁芯后停止"), "list the catalogue's cores and stop"},
    {QT_TRANSLATE_NOOP("Cli", "列出磁芯库的材质后停止"), "list the catalogue's materials and stop"},
    {QT_TRANSLATE_NOOP("Cli", "从这个文件再读入磁芯和材质（可重复）"),
     "read more cores and materials from this file (repeatable)"},
    {QT_TRANSLATE_NOOP("Cli", "显示本帮助后停止"), "show this help and stop"},
    {QT_TRANSLATE_NOOP("Cli", "显示版本后停止"), "show the version and stop"},
});

}  // namespace

std::span<const FieldHelpText> fieldHelpTexts() {
    return kFieldHelpTexts;
}

LocalText fieldHelpText(std::string_view option, std::string_view english) {
    const auto entry = std::ranges::find(kFieldHelpTexts, option, &FieldHelpText::option);
    return {entry == kFieldHelpTexts.end() ? english : entry->chinese, english};
}

std::vector<LocalText> helpTexts() {
    std::vector<LocalText> all(kHelpTexts.begin(), kHelpTexts.end());
    for (const DesignField& field : kDesignFields)
        all.push_back(fieldHelpText(field.option, field.description));
    return all;
}

std::string_view helpText(Language language, std::string_view chineseSource) {
    return lookUpText(kHelpTexts, language, chineseSource);
}
