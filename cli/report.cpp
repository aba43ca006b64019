#include "cli/report.h"

#include <array>
#include <string_view>
#include <vector>

#include "cli/cli_texts.h"
#include "engine/analysis_result.h"
#include "engine/number_text.h"
#include "engine/record_layout.h"

namespace {

// Columns on a terminal: CJK ideographs take two cells, everything else one.
std::size_t displayWidth(std::string_view text) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        width += len == 3 && c >= 0xE4 ? 2 : 1;  // U+4E00 and up: wide
        i += len;
    }
    return width;
}

std::string padded(std::string_view text, std::size_t width) {
    std::string out(text);
    const std::size_t used = displayWidth(text);
    if (used < width) out.append(width - used, ' ');
    return out;
}

}  // namespace

std::string resultTable(const AnalysisResult& result, Language language) {
    const auto text = [language](std::string_view source) { return std::string(cliText(language, source)); };
    const auto heading = [&](std::size_t c) {
        const std::string shown = text(kColumnHeadings[c]);
        return language == Language::English ? std::string(englishUnits(shown)) : shown;
    };
    std::vector<std::array<std::string, kShownRecordSize>> texts;
    for (const Solution& solution : result.solutions) texts.push_back(solutionTexts(solution));
    const std::size_t rows = texts.size();
    std::array<std::size_t, kColumnHeadings.size()> widths{};
    for (std::size_t c = 0; c < kColumnHeadings.size(); ++c) {
        widths[c] = displayWidth(heading(c));
        for (std::size_t r = 0; r < rows; ++r) widths[c] = std::max(widths[c], displayWidth(texts[r][c]));
    }
    std::string out;
    const auto line = [&](auto cell) {
        for (std::size_t c = 0; c < kColumnHeadings.size(); ++c) {
            out += padded(cell(c), widths[c]);
            out += c + 1 < kColumnHeadings.size() ? "  " : "\n";
        }
    };
    line([&](std::size_t c) { return heading(c); });
    for (std::size_t r = 0; r < rows; ++r) line([&](std::size_t c) { return std::string_view(texts[r][c]); });
    if (rows == 0) out += text("没有找到合适的解法,参数可能不合理!") + "\n";
    out += text("分析总数: ") + numberText(static_cast<double>(result.analysedCount)) + "  " +
           text("找到解法: ") + numberText(static_cast<double>(result.acceptedCount)) + "  " +
           text("搜索轮次: ") + std::to_string(result.passNumber) + "\n";
    return out;
}
