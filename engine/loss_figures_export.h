#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "engine/solution_losses.h"

namespace quillmere {

struct AnalysisResult;

/// Adds the loss figures to one object of a result's "solutionFigures" (docs/losses.md lists the
/// keys): losses W, ΔT K, flux mT, gap mm, AL nH/N², rms A, DC resistances Ω at 20 °C,
/// efficiency %. The gap and AL are null when no gap gives the inductance.
void appendLossFigures(nlohmann::ordered_json& object, const SolutionLossFigures& figures);

/// Whether any solution of `result` has figures: only then do exports carry them.
bool hasLossFigures(const AnalysisResult& result);

/// The CSV columns appended after the record's, headings and then one row of texts per solution.
std::vector<std::string> lossFigureCsvHeadings();
std::vector<std::string> lossFigureCsvTexts(const SolutionLossFigures* figures);

}  // namespace quillmere
