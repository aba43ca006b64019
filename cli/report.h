#pragma once

#include <string>

#include "engine/texts.h"

namespace quillmere {
struct AnalysisResult;
}  // namespace quillmere

/// The 18 result-table columns, their headings and the counts, for a person to read.
std::string resultTable(const quillmere::AnalysisResult& result,
                        quillmere::Language language = quillmere::Language::Chinese);
