#include "engine/solution_figures.h"

#include "engine/loss_figures_export.h"

namespace quillmere {

const CoreContext* solutionCore(const AnalysisResult& result, const Solution& solution) {
    if (!solution.core || *solution.core >= result.cores.size()) return nullptr;
    return &result.cores[*solution.core];
}

nlohmann::ordered_json solutionFigureJson(const AnalysisResult& result, const Solution& solution) {
    nlohmann::ordered_json figures = nlohmann::ordered_json::object();
    const CoreContext* core = solutionCore(result, solution);
    if (!core) return figures;
    figures["core"] = core->core.name;
    figures["bobbin"] = core->bobbin.name;
    figures["material"] = core->material.name;
    figures["aeMm2"] = core->core.ae;
    figures["leMm"] = core->core.le;
    figures["veMm3"] = core->core.ve;
    if (solution.figures) appendLossFigures(figures, *solution.figures);
    return figures;
}

nlohmann::ordered_json solutionFiguresJson(const AnalysisResult& result) {
    if (result.cores.empty()) return nullptr;
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const Solution& solution : result.solutions) list.push_back(solutionFigureJson(result, solution));
    return list;
}

std::array<std::string, 3> coreCsvTexts(const AnalysisResult& result, const Solution& solution) {
    const CoreContext* core = solutionCore(result, solution);
    if (!core) return {};
    return {core->core.name, core->bobbin.name, core->material.name};
}

}  // namespace quillmere
