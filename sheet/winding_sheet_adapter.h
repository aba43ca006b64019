#pragma once

#include <optional>

#include <QDate>
#include <QString>

#include "engine/analysis_result.h"
#include "engine/design.h"
#include "sheet/winding_sheet_content.h"

/// The content of a sheet, or why there is none (in the language of the installed translators).
struct SheetContentResult {
    std::optional<WindingSheetContent> content;
    QString refusal;
};

/// What the winding sheet of shown solution `solutionIndex` (0-based) holds, from the design
/// that was analysed, its result, the windings as the maker winds them and the core figures.
/// Refused when there is no such solution, when the design no longer gives the solution's
/// windings, or when the core figures cannot be had. This is the one place that reads the
/// solution; catalogue and loss figures the solution does not carry are left as gaps.
SheetContentResult windingSheetContent(const quillmere::Design& design,
                                       const quillmere::AnalysisResult& result, int solutionIndex,
                                       const QString& designName, QDate date);
