#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/record_layout.h"

/// What one finished analysis hands over: the ranked solutions and the final counts.
struct AnalysisResult {
    std::vector<std::string> solutionRecords;  ///< 22 texts per solution, rank order
    std::int64_t analysedCount = 0;            ///< of the last pass
    std::int64_t acceptedCount = 0;
    int passNumber = 0;
};
