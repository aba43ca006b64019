#include "engine/result_export.h"

#include <nlohmann/json.hpp>

#include "engine/analysis_result.h"
#include "engine/design_file.h"
#include "engine/loss_figures_export.h"
#include "engine/record_layout.h"
#include "engine/solution_figures.h"

namespace quillmere {

namespace {

void appendCsvField(std::string& out, std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += text;
        return;
    }
    out += '"';
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

template <typename Texts>
void appendCsvRow(std::string& out, const Texts& texts) {
    bool first = true;
    for (const auto& text : texts) {
        if (!first) out += ',';
        first = false;
        appendCsvField(out, text);
    }
    out += "\r\n";
}

}  // namespace

namespace {

// The members of resultJson, in their order, after whatever `root` holds already.
void addResultMembers(nlohmann::ordered_json& root, const AnalysisResult& result) {
    nlohmann::ordered_json records = nlohmann::ordered_json::array();
    for (const Solution& solution : result.solutions) {
        nlohmann::ordered_json texts = nlohmann::ordered_json::array();
        for (std::string& text : solutionTexts(solution)) texts.push_back(std::move(text));
        records.push_back(std::move(texts));
    }
    root["analysedCount"] = result.analysedCount;
    root["acceptedCount"] = result.acceptedCount;
    root["passNumber"] = result.passNumber;
    root["solutionRecords"] = std::move(records);
    if (auto figures = solutionFiguresJson(result); !figures.is_null())
        root["solutionFigures"] = std::move(figures);
}

std::string dumped(const nlohmann::ordered_json& root) {
    // A text that is no valid UTF-8 is written with replacement characters rather than refused.
    return root.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

}  // namespace

std::string resultJson(const AnalysisResult& result) {
    nlohmann::ordered_json root = nlohmann::ordered_json::object();
    addResultMembers(root, result);
    return dumped(root);
}

std::string resultJsonWithDesign(const AnalysisResult& result, const Design& design) {
    nlohmann::ordered_json root = nlohmann::ordered_json::object();
    root["design"] = nlohmann::ordered_json::parse(designFileText(design));
    addResultMembers(root, result);
    return dumped(root);
}

std::string csvRow(const std::vector<std::string_view>& texts) {
    std::string out;
    appendCsvRow(out, texts);
    return out;
}

std::string resultCsv(const AnalysisResult& result) {
    std::string out = "\xEF\xBB\xBF";
    const bool cores = !result.cores.empty();
    const bool losses = hasLossFigures(result);
    if (!cores && !losses) {
        appendCsvRow(out, kRecordHeadings);
        for (const Solution& solution : result.solutions) appendCsvRow(out, solutionTexts(solution));
        return out;
    }
    std::vector<std::string> headings(kRecordHeadings.begin(), kRecordHeadings.end());
    if (cores) headings.insert(headings.end(), kCoreCsvHeadings.begin(), kCoreCsvHeadings.end());
    if (losses)
        for (std::string& heading : lossFigureCsvHeadings()) headings.push_back(std::move(heading));
    appendCsvRow(out, headings);
    for (const Solution& solution : result.solutions) {
        const auto record = solutionTexts(solution);
        std::vector<std::string> row(record.begin(), record.end());
        if (cores)
            for (std::string& text : coreCsvTexts(result, solution)) row.push_back(std::move(text));
        if (losses)
            for (std::string& text : lossFigureCsvTexts(solution.figures ? &*solution.figures : nullptr))
                row.push_back(std::move(text));
        appendCsvRow(out, row);
    }
    return out;
}

}  // namespace quillmere
