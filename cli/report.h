#pragma once

#include <string>

#include "engine/texts.h"

struct AnalysisResult;

/// The 18 result-table columns, their headings and the counts, for a person to read.
std::string resultTable(const AnalysisResult& result, Language language = Language::Chinese);
