#pragma once

#include <array>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "engine/analysis_result.h"

namespace quillmere {

// What a result says about each solution beyond its 22 record texts, when it was searched on
// catalogue cores. Every writer of these figures goes through here, so that new figures are
// added in one place.

/// The catalogue core of `solution` in `result`, or nullptr for a custom core.
const CoreContext* solutionCore(const AnalysisResult& result, const Solution& solution);

/// One solution's figures object: core, bobbin, material, aeMm2, leMm, veMm3 (mm², mm, mm³).
nlohmann::ordered_json solutionFigureJson(const AnalysisResult& result, const Solution& solution);

/// The array "solutionFigures", parallel to "solutionRecords"; null when no catalogue core was
/// searched (the member is then left out).
nlohmann::ordered_json solutionFiguresJson(const AnalysisResult& result);

/// The CSV columns after the 22 when catalogue cores were searched.
inline constexpr std::array<std::string_view, 3> kCoreCsvHeadings{"磁芯", "骨架", "材质"};
/// Those columns' texts for `solution` (empty texts for a custom core).
std::array<std::string, 3> coreCsvTexts(const AnalysisResult& result, const Solution& solution);

}  // namespace quillmere
