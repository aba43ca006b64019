#include "engine/texts.h"

#include <algorithm>
#include <array>

namespace quillmere {

namespace {

// The English must equal the translation file's for the same source (a test holds them together).
constexpr auto kEngineTexts = std::to_array<LocalText>({
    {QT_TRANSLATE_NOOP("Engine", "已经有一个线程在分析中!请等待分析完成!"),
     "An analysis is already running! Please wait until it has finished!"},
    {QT_TRANSLATE_NOOP("Engine", "功率超过IC最大输出!"), "The power exceeds the IC's maximum output!"},
    {QT_TRANSLATE_NOOP("Engine", "规则参数超出范围,请检查!"), "A rule value is out of range, please check!"},
    {QT_TRANSLATE_NOOP("Engine", "请键入一个数。"), "Please enter a number."},
    {QT_TRANSLATE_NOOP("Engine", "请键入一个整数。"), "Please enter an integer."},
    {QT_TRANSLATE_NOOP("Engine", "读取用户参数......"), "Reading the inputs......"},
    {QT_TRANSLATE_NOOP("Engine", "执行分析线程......"), "Starting the analysis......"},
    {QT_TRANSLATE_NOOP("Engine", "分值"), "Score"},
});

}  // namespace

std::optional<Language> languageNamed(std::string_view name) {
    if (name == "zh") return Language::Chinese;
    if (name == "en") return Language::English;
    return std::nullopt;
}

std::optional<Language> languageFromEnvironment(const char* value) {
    if (value == nullptr || *value == '\0') return Language::Chinese;
    return languageNamed(value);
}

std::string_view lookUpText(std::span<const LocalText> table, Language language, std::string_view source) {
    if (language == Language::Chinese) return source;
    const auto entry = std::ranges::find(table, source, &LocalText::source);
    return entry == table.end() ? source : entry->english;
}

std::span<const LocalText> engineTexts() {
    return kEngineTexts;
}

std::string_view localText(Language language, std::string_view chineseSource) {
    return lookUpText(kEngineTexts, language, chineseSource);
}

}  // namespace quillmere
