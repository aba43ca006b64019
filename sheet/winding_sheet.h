#pragma once

#include <optional>

#include <QDate>
#include <QString>

#include "engine/analysis_result.h"
#include "engine/design.h"
#include "sheet/winding_sheet_content.h"

/// Writes the winding sheet of shown solution `solutionIndex` (0-based, as the result table
/// counts rows) to `path`: one A4 page for the transformer maker, in the language of the
/// installed translators. `design` must be the design that was analysed; `designName` empty
/// reads "未命名". Returns nothing on success, otherwise why no sheet was written.
std::optional<QString> writeWindingSheet(const QString& path, const quillmere::Design& design,
                                         const quillmere::AnalysisResult& result, int solutionIndex,
                                         const QString& designName, QDate date);

/// Writes the page of `content` to `path`. Writing goes through a temporary file, so a failure
/// leaves an earlier file at `path` as it was. Returns nothing on success, otherwise why not.
std::optional<QString> writeWindingSheetPage(const QString& path, const WindingSheetContent& content);
