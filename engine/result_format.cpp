#include "engine/result_format.h"

#include <algorithm>

namespace quillmere {

namespace {

bool sameLetters(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

std::string resultJsonLine(const AnalysisResult& result) {
    return resultJson(result) + "\n";
}

const ResultFormatInfo& resultFormatInfo(ResultFormat format) {
    return *std::ranges::find(kResultFormats, format, &ResultFormatInfo::format);
}

std::optional<ResultFormat> resultFormatNamed(std::string_view name) {
    const auto it = std::ranges::find(kResultFormats, name, &ResultFormatInfo::name);
    if (it == kResultFormats.end()) return std::nullopt;
    return it->format;
}

ResultFormat resultFileFormat(int chosenType, std::string_view suffix) {
    for (std::size_t k = 1; k < kResultFormats.size() && kResultFormats[k].forFiles; ++k)
        if (sameLetters(suffix, kResultFormats[k].suffix)) return kResultFormats[k].format;
    const auto index = static_cast<std::size_t>(std::max(chosenType, 0));
    const bool known = index < kResultFormats.size() && kResultFormats[index].forFiles;
    return kResultFormats[known ? index : 0].format;
}

}  // namespace quillmere
