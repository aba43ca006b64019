#include "cli/report.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "cli/cli_texts.h"
#include "engine/analysis_result.h"
#include "engine/number_text.h"
#include "engine/record_layout.h"
#include "engine/solution_figure_text.h"
#include "engine/solution_figures.h"

using namespace quillmere;

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
    // With more than one core searched, the core comes first.
    const bool coreColumn = result.cores.size() > 1;
    const std::size_t first = coreColumn ? 0 : 1;
    // A catalogue core's loss figures follow the record, as in the window's table.
    const bool figureColumns =
        std::ranges::any_of(result.solutions, [](const Solution& s) { return s.figures.has_value(); });
    const std::size_t recordEnd = kColumnHeadings.size() + 1;
    const std::size_t columns = recordEnd + (figureColumns ? kFigureColumns : 0);
    const auto columnHeading = [&](std::size_t c) {
        if (c == 0) return text("磁芯");
        if (c >= recordEnd) return std::string(kFigureHeadings[c - recordEnd]);
        return heading(c - 1);
    };
    std::vector<std::vector<std::string>> texts;
    for (const Solution& solution : result.solutions) {
        const auto record = solutionTexts(solution);
        std::vector<std::string> row{coreColumn ? coreCsvTexts(result, solution)[0] : std::string()};
        row.insert(row.end(), record.begin(),
                   record.begin() + static_cast<std::ptrdiff_t>(kColumnHeadings.size()));
        for (std::size_t f = 0; figureColumns && f < kFigureColumns; ++f)
            row.push_back(solutionFigureText(solution, static_cast<FigureColumn>(f)));
        texts.push_back(std::move(row));
    }
    const std::size_t rows = texts.size();
    std::vector<std::size_t> widths(columns);
    for (std::size_t c = first; c < columns; ++c) {
        widths[c] = displayWidth(columnHeading(c));
        for (std::size_t r = 0; r < rows; ++r) widths[c] = std::max(widths[c], displayWidth(texts[r][c]));
    }
    std::string out;
    const auto line = [&](auto cell) {
        for (std::size_t c = first; c < columns; ++c) {
            out += padded(cell(c), widths[c]);
            out += c + 1 < columns ? "  " : "\n";
        }
    };
    line([&](std::size_t c) { return columnHeading(c); });
    for (std::size_t r = 0; r < rows; ++r) line([&](std::size_t c) { return std::string_view(texts[r][c]); });
    if (rows == 0) out += text("没有找到合适的解法,参数可能不合理!") + "\n";
    out += text("分析总数: ") + numberText(static_cast<double>(result.analysedCount)) + "  " +
           text("找到解法: ") + numberText(static_cast<double>(result.acceptedCount)) + "  " +
           text("搜索轮次: ") + std::to_string(result.passNumber) + "\n";
    return out;
}
