#include "engine/design_file_texts.h"

#include <algorithm>
#include <array>

namespace quillmere {

namespace {

// The English must equal the translation file's for the same source (a test holds them together).
constexpr auto kDesignFileTexts = std::to_array<LocalText>({
    {QT_TRANSLATE_NOOP("DesignFile", "缺少"), "missing"},
    {QT_TRANSLATE_NOOP("DesignFile", "未知的成员"), "unknown member"},
    {QT_TRANSLATE_NOOP("DesignFile", "出现了两次"), "given twice"},
    {QT_TRANSLATE_NOOP("DesignFile", "应为数，却是 %s"), "expected a number, found %s"},
    {QT_TRANSLATE_NOOP("DesignFile", "应为整数，却是 %s"), "expected a whole number, found %s"},
    {QT_TRANSLATE_NOOP("DesignFile", "应为对象，却是 %s"), "expected an object, found %s"},
    {QT_TRANSLATE_NOOP("DesignFile", "应为文本，却是 %s"), "expected a text, found %s"},
    {QT_TRANSLATE_NOOP("DesignFile", "应为 true 或 false，却是 %s"), "expected true or false, found %s"},
    {QT_TRANSLATE_NOOP("DesignFile", "应为 %s 之一，却是 %s"), "expected one of %s, found %s"},
    {QT_TRANSLATE_NOOP("DesignFile", "应为线径列表，却是 %s"), "expected a list of wire sizes, found %s"},
    {QT_TRANSLATE_NOOP("DesignFile", "应为线径文本，却是 %s"), "expected a wire size text, found %s"},
    {QT_TRANSLATE_NOOP("DesignFile", "不是有限的数"), "not a finite number"},
    {QT_TRANSLATE_NOOP("DesignFile", "在单精度下不是有限的数：%s"),
     "not a finite number in single precision: %s"},
    {QT_TRANSLATE_NOOP("DesignFile", "%s 超出范围（%s 到 %s）"), "%s is out of range (%s to %s)"},
    {QT_TRANSLATE_NOOP("DesignFile", "%s 不是规则对话框能存下的数目"),
     "%s is no count the rules dialog can hold"},
    {QT_TRANSLATE_NOOP("DesignFile", "%s 不是引脚号（1 到 %s）"), "%s is no pin number (1 to %s)"},
    {QT_TRANSLATE_NOOP("DesignFile", "%s 不大于零"), "%s is not above zero"},
    {QT_TRANSLATE_NOOP("DesignFile", "长于 %s 字节"), "longer than %s bytes"},
    {QT_TRANSLATE_NOOP("DesignFile", "含有控制字符"), "holds a control character"},
    {QT_TRANSLATE_NOOP("DesignFile", "没有列出线径"), "no wire size listed"},
    {QT_TRANSLATE_NOOP("DesignFile", "应为 null 或不小于 0 的 mm² 数，却是 %s"),
     "expected null or a number of mm² not below 0, found %s"},
    {QT_TRANSLATE_NOOP("DesignFile", "应为磁芯名称列表，却是 %s"), "expected a list of core names, found %s"},
    {QT_TRANSLATE_NOOP("DesignFile", "没有给出磁芯名称"), "no core named"},
    {QT_TRANSLATE_NOOP("DesignFile", "未知的线径 %s"), "unknown wire size %s"},
    {QT_TRANSLATE_NOOP("DesignFile", "线径 %s 列出了两次"), "wire size %s listed twice"},
    {QT_TRANSLATE_NOOP("DesignFile", "不是 Quillmere 设计文件（应为对象，却是 %s）"),
     "not a Quillmere design file (expected an object, found %s)"},
    {QT_TRANSLATE_NOOP("DesignFile", "不是 Quillmere 设计文件（应为 \"%s\"，却是 %s）"),
     "not a Quillmere design file (expected \"%s\", found %s)"},
    {QT_TRANSLATE_NOOP("DesignFile", "%s 比本程序能读的版本（%s）新"),
     "%s is newer than this program reads (%s)"},
    {QT_TRANSLATE_NOOP("DesignFile", "%s 不是本格式的版本"), "%s is no version of the format"},
    {QT_TRANSLATE_NOOP("DesignFile", "不支持 4 (L6562)"), "4 (L6562) is not supported"},
    {QT_TRANSLATE_NOOP("DesignFile", "不是有效的 JSON（第 %s 行，第 %s 列）"),
     "not valid JSON (line %s, column %s)"},
    {QT_TRANSLATE_NOOP("DesignFile", "是文件夹，不是设计文件"), "is a folder, not a design file"},
    {QT_TRANSLATE_NOOP("DesignFile", "不是普通文件"), "not a regular file"},
    {QT_TRANSLATE_NOOP("DesignFile", "大于 %s 字节"), "larger than %s bytes"},
    {QT_TRANSLATE_NOOP("DesignFile", "无法读取"), "could not be read"},
    // What a value was found to be.
    {QT_TRANSLATE_NOOP("DesignFile", "对象"), "an object"},
    {QT_TRANSLATE_NOOP("DesignFile", "列表"), "a list"},
    {QT_TRANSLATE_NOOP("DesignFile", "文本"), "a text"},
    {QT_TRANSLATE_NOOP("DesignFile", "文本 %s"), "the text %s"},
    {QT_TRANSLATE_NOOP("DesignFile", "无"), "nothing"},
});

}  // namespace

std::span<const LocalText> designFileTexts() {
    return kDesignFileTexts;
}

std::string designFileSays(Language language, std::string_view english,
                           std::initializer_list<std::string_view> values) {
    std::string_view pattern = english;
    if (language == Language::Chinese) {
        const auto entry = std::ranges::find(kDesignFileTexts, english, &LocalText::english);
        if (entry != kDesignFileTexts.end()) pattern = entry->source;
    }
    std::string out;
    const auto* value = values.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern.compare(i, 2, "%s") == 0 && value != values.end()) {
            out += *value++;
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

}  // namespace quillmere
