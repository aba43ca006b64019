#pragma once

#include <optional>

#include <QDate>
#include <QString>

#include "engine/analysis_result.h"
#include "engine/design.h"

/// Writes the winding sheet of shown solution `solutionIndex` (0-based, as the result table
/// counts rows) to `path`: one A4 page for the transformer maker with the design conditions,
/// the solution's electrical results, its windings layer by layer, the core figures and its
/// cross-section. `design` must be the design that was analysed; `designName` empty reads
/// "未命名". Writing goes through a temporary file, so a failure leaves an earlier file at
/// `path` as it was. Returns nothing on success, otherwise why no sheet was written.
std::optional<QString> writeWindingSheet(const QString& path, const Design& design,
                                         const AnalysisResult& result, int solutionIndex,
                                         const QString& designName, QDate date);
