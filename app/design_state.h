#pragma once

#include <string>

#include "engine/analysis.h"
#include "engine/analysis_result.h"
#include "engine/design.h"

/// The one design of the program and what the form shows of it, owned by the design form and
/// touched only on its thread. The worker reads a copy of the design, writes only its atomic
/// counters and hands its result over when it is done.
struct DesignState : Design {
    bool analysisBusy = false;  ///< from "分析" until the results are in the table
    bool progressReady = false;
    int selectedSolution = 0;
    AnalysisResult results;  ///< of the last finished analysis, as shown
    Design analysed;         ///< the design those results belong to
    std::string statusText = "Quillmere Release Version";

    /// Declared last so that it is stopped and joined before anything else goes.
    AnalysisWorker worker;

    /// Forget the shown results (controller change).
    void discardResults();
};
