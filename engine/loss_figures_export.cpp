#include "engine/loss_figures_export.h"

#include <algorithm>

#include "engine/analysis_result.h"
#include "engine/solution_figure_text.h"

namespace quillmere {

namespace {

struct Key {
    const char* name;
    double SolutionLossFigures::*member;
};

// The keys of the JSON object and the CSV's extra columns, in their order (gap and AL apart).
constexpr Key kKeys[] = {
    {"coreLossW", &SolutionLossFigures::coreLossW},
    {"copperLossW", &SolutionLossFigures::copperLossW},
    {"primaryCopperLossW", &SolutionLossFigures::primaryCopperLossW},
    {"secondaryCopperLossW", &SolutionLossFigures::secondaryCopperLossW},
    {"temperatureRiseK", &SolutionLossFigures::temperatureRiseK},
    {"bpkMt", &SolutionLossFigures::bpkMt},
    {"bsatMt", &SolutionLossFigures::bsatMt},
    {"gapMm", &SolutionLossFigures::gapMm},
    {"alNhPerTurn2", &SolutionLossFigures::alNhPerTurn2},
    {"primaryRmsA", &SolutionLossFigures::primaryRmsA},
    {"secondaryRmsA", &SolutionLossFigures::secondaryRmsA},
    {"primaryDcrOhm", &SolutionLossFigures::primaryDcrOhm},
    {"secondaryDcrOhm", &SolutionLossFigures::secondaryDcrOhm},
    {"auxDcrOhm", &SolutionLossFigures::auxDcrOhm},
    {"efficiencyPct", &SolutionLossFigures::efficiencyPct},
};

bool hasGap(const SolutionLossFigures& f) {
    return f.gapComputed && f.noGap == NoGapReason::none;
}

bool isGapKey(const Key& key) {
    return key.member == &SolutionLossFigures::gapMm || key.member == &SolutionLossFigures::alNhPerTurn2;
}

}  // namespace

void appendLossFigures(nlohmann::ordered_json& object, const SolutionLossFigures& figures) {
    for (const Key& key : kKeys) {
        if (isGapKey(key) && !hasGap(figures))
            object[key.name] = nullptr;
        else
            object[key.name] = figures.*key.member;
    }
}

bool hasLossFigures(const AnalysisResult& result) {
    return std::ranges::any_of(result.solutions, [](const Solution& s) { return s.figures.has_value(); });
}

std::vector<std::string> lossFigureCsvHeadings() {
    std::vector<std::string> headings;
    for (const Key& key : kKeys) headings.emplace_back(key.name);
    return headings;
}

std::vector<std::string> lossFigureCsvTexts(const SolutionLossFigures* figures) {
    std::vector<std::string> texts;
    for (const Key& key : kKeys) {
        if (!figures || (isGapKey(key) && !hasGap(*figures)))
            texts.emplace_back("—");
        else
            texts.push_back(figureText((*figures).*key.member));
    }
    return texts;
}

}  // namespace quillmere
