#pragma once

#include "engine/analysis_result.h"
#include "engine/design.h"

/// What the form shows of an analysis: the table, the diagram and every export draw from it,
/// never from the design as it is being edited.
struct ShownResults {
    quillmere::AnalysisResult result;  ///< of the last finished analysis; empty while one runs
    quillmere::Design design;          ///< the design `result` was (or is being) analysed with
    int selectedSolution = 0;          ///< index into `result.solutions` of the table's current row
};
